#include "archive/EntryNames.h"

#include "level/Words.h"
#include "platform/GamePaths.h"

#include <algorithm>

namespace kx::archive {

namespace {

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 32 || byte == 127;
}

}  // namespace

std::vector<std::string> SafeEntryParts(std::string_view name) {
  // A control character (a tab, a line feed) anywhere makes the name lie about itself in a
  // listing or a message, whether or not trimming would remove it.
  if (std::any_of(name.begin(), name.end(), IsControl)) return {};
  const std::string_view trimmed = level::Trim(name);
  if (trimmed.empty() || trimmed.front() == '\\' || trimmed.front() == '/') return {};
  // A colon names a drive (C:\x) or, on Windows, a second stream of a file.
  if (trimmed.find(':') != std::string_view::npos) return {};
  auto parts = platform::GamePathParts(trimmed);
  const bool hasDotsOnly = std::any_of(parts.begin(), parts.end(), [](const std::string& part) {
    return part.find_first_not_of('.') == std::string::npos;
  });
  if (hasDotsOnly) return {};
  return parts;
}

bool IsPlainFileName(std::string_view name) {
  const auto parts = SafeEntryParts(name);
  return parts.size() == 1 && parts.front() == name;
}

std::string PrintableEntryName(std::string_view name) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string printable;
  printable.reserve(name.size());
  for (const char c : name) {
    if (IsControl(c) || c == '%') {
      const auto byte = static_cast<unsigned char>(c);
      printable += '%';
      printable += kDigits[byte >> 4];
      printable += kDigits[byte & 0xF];
    } else {
      printable += c;
    }
  }
  return printable;
}

}  // namespace kx::archive
