#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Game paths (backslash-separated, as archives, level files and the settings file write them)
/// and their native counterparts on disk.
namespace kx::platform {

/// The parts of a game path: split at backslashes and slashes, empty parts dropped.
std::vector<std::string> GamePathParts(std::string_view gamePath);

/// A relative game path (mat\wall.mat) as a native relative path (mat/wall.mat).
std::filesystem::path NativeRelativePath(std::string_view gamePath);

/// A directory as written in the settings file, with either separator, as a native path
/// without a trailing separator. Empty text gives an empty path.
std::filesystem::path NativeDirectory(std::string_view text);

/// Whether a and b are equal with the letters a-z and A-Z taken as equal.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

/// The regular file (or link to one) that gamePath names below dir, letter case ignored in
/// every part, since files extracted on a case-sensitive file system keep the case their
/// archive gave them. The exact spelling wins when it exists; among other spellings the first
/// in byte order. nullopt when there is none, or when gamePath is absolute or holds a "." or
/// ".." part.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& dir,
                                                          std::string_view gamePath);

/// As FindFileIgnoringCase, for a directory.
std::optional<std::filesystem::path> FindDirectoryIgnoringCase(const std::filesystem::path& dir,
                                                               std::string_view gamePath);

/// The file below dir when one exists in any letter case, else dir joined with gamePath as
/// written (the place a new file goes, and the path an error message names).
std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& dir,
                                          std::string_view gamePath);

}  // namespace kx::platform
