#pragma once

#include <string>
#include <string_view>

/// Word-level text helpers of the game's 8-bit text files.
namespace kx::level {

/// Whether c is a blank or a control character (code 32 or less).
inline bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

/// text without blanks and control characters at both ends.
inline std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlankOrControl(text[begin])) ++begin;
  while (end > begin && IsBlankOrControl(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

/// text with the letters a-z upper-cased; every other byte unchanged.
std::string ToUpperAscii(std::string_view text);

/// Whether a and b are equal when both are upper-cased.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

/// Whether text begins with prefix when both are upper-cased.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

/// Takes the next word off the front of line: the line is trimmed; the word runs to the first
/// blank or tab (or is the whole line); line becomes the trimmed rest. Runs of blanks and tabs
/// separate words like a single one. Inline: it runs for every value of a large level.
inline std::string_view NextWord(std::string_view& line) {
  line = Trim(line);
  std::size_t split = 0;
  while (split < line.size() && line[split] != ' ' && line[split] != '\t') ++split;
  if (split == line.size()) {
    const std::string_view word = line;
    line = line.substr(line.size());
    return word;
  }
  const std::string_view word = Trim(line.substr(0, split));
  line = Trim(line.substr(split + 1));
  return word;
}

/// The k-th word of line (1-based) as NextWord takes them; empty when there are fewer.
std::string_view WordAt(std::string_view line, int k);

}  // namespace kx::level
