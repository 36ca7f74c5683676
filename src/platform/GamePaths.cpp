#include "platform/GamePaths.h"

#include <algorithm>
#include <system_error>

namespace kx::platform {

namespace fs = std::filesystem;

namespace {

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

enum class Want { File, Directory };

bool IsWanted(const fs::path& path, Want want) {
  std::error_code ec;
  return want == Want::File ? fs::is_regular_file(path, ec) : fs::is_directory(path, ec);
}

// The names in dir that equal part ignoring case, other than part itself, in byte order.
std::vector<std::string> OtherSpellings(const fs::path& dir, const std::string& part) {
  std::vector<std::string> found;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name != part && SameNameIgnoringCase(name, part)) found.push_back(std::move(name));
  }
  std::sort(found.begin(), found.end());
  return found;
}

// Walks the parts below dir, trying every spelling of each part, so that a tree holding both
// MAT and mat still finds a file that only one of them has.
std::optional<fs::path> Walk(const fs::path& dir, const std::vector<std::string>& parts,
                             std::size_t index, Want want) {
  const bool last = index + 1 == parts.size();
  const Want needed = last ? want : Want::Directory;
  const auto tryCandidate = [&](const fs::path& candidate) -> std::optional<fs::path> {
    if (!IsWanted(candidate, needed)) return std::nullopt;
    if (last) return candidate;
    return Walk(candidate, parts, index + 1, want);
  };
  if (auto exact = tryCandidate(dir / parts[index])) return exact;
  for (const auto& spelling : OtherSpellings(dir, parts[index])) {
    if (auto found = tryCandidate(dir / spelling)) return found;
  }
  return std::nullopt;
}

bool IsAcceptableLookup(std::string_view gamePath, const std::vector<std::string>& parts) {
  if (parts.empty() || IsSeparator(gamePath.front())) return false;
  if (gamePath.size() >= 2 && gamePath[1] == ':') return false;
  return std::none_of(parts.begin(), parts.end(),
                      [](const std::string& part) { return part == "." || part == ".."; });
}

std::optional<fs::path> Find(const fs::path& dir, std::string_view gamePath, Want want) {
  const auto parts = GamePathParts(gamePath);
  if (!IsAcceptableLookup(gamePath, parts)) return std::nullopt;
  return Walk(dir, parts, 0, want);
}

}  // namespace

std::vector<std::string> GamePathParts(std::string_view gamePath) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : gamePath) {
    if (IsSeparator(c)) {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

fs::path NativeRelativePath(std::string_view gamePath) {
  fs::path result;
  for (const auto& part : GamePathParts(gamePath)) result /= part;
  return result;
}

fs::path NativeDirectory(std::string_view text) {
  std::string native(text);
  if constexpr (fs::path::preferred_separator == '/') {
    std::replace(native.begin(), native.end(), '\\', '/');
  }
  while (native.size() > 1 && IsSeparator(native.back())) native.pop_back();
  return fs::path(native);
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

std::optional<fs::path> FindFileIgnoringCase(const fs::path& dir, std::string_view gamePath) {
  return Find(dir, gamePath, Want::File);
}

std::optional<fs::path> FindDirectoryIgnoringCase(const fs::path& dir, std::string_view gamePath) {
  return Find(dir, gamePath, Want::Directory);
}

fs::path ResolveIgnoringCase(const fs::path& dir, std::string_view gamePath) {
  if (auto file = FindFileIgnoringCase(dir, gamePath)) return *file;
  const auto parts = GamePathParts(gamePath);
  if (!IsAcceptableLookup(gamePath, parts)) return dir / NativeRelativePath(gamePath);
  // Keep the longest leading run of folders that exists in some spelling.
  fs::path resolved = dir;
  std::size_t index = 0;
  for (; index + 1 < parts.size(); ++index) {
    auto folder = FindDirectoryIgnoringCase(resolved, parts[index]);
    if (!folder) break;
    resolved = *folder;
  }
  for (; index < parts.size(); ++index) resolved /= parts[index];
  return resolved;
}

}  // namespace kx::platform
