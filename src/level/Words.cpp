#include "level/Words.h"

#include <algorithm>

namespace kx::level {

std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlankOrControl(text[begin])) ++begin;
  while (end > begin && IsBlankOrControl(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

static char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::string ToUpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpperAscii(c);
  return result;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string_view NextWord(std::string_view& line) {
  line = Trim(line);
  const std::size_t split = line.find_first_of(" \t");
  if (split == std::string_view::npos) {
    const std::string_view word = line;
    line = {};
    return word;
  }
  const std::string_view word = Trim(line.substr(0, split));
  line = Trim(line.substr(split + 1));
  return word;
}

std::string_view WordAt(std::string_view line, int k) {
  std::string_view word;
  for (int i = 0; i < k; ++i) {
    if (line.empty()) return {};
    word = NextWord(line);
  }
  return word;
}

}  // namespace kx::level
