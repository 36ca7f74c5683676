#include "archive/EntryNames.h"

#include "level/Words.h"
#include "platform/GamePaths.h"

#include <algorithm>

namespace kx::archive {

std::vector<std::string> SafeEntryParts(std::string_view name) {
  const std::string_view trimmed = level::Trim(name);
  if (trimmed.empty() || trimmed.front() == '\\' || trimmed.front() == '/') return {};
  // A colon names a drive (C:\x) or, on Windows, a second stream of a file.
  const bool hasForbidden = std::any_of(trimmed.begin(), trimmed.end(), [](char c) {
    return c == ':' || static_cast<unsigned char>(c) < 32;
  });
  if (hasForbidden) return {};
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

}  // namespace kx::archive
