#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kx::project {

/// The name of the temporary folder in Projects where an archive is extracted.
inline constexpr std::string_view kTempDirName = "tempdir";

/// Whether name can be a project folder below Projects as it stands: not empty, no separator,
/// drive colon, control character or character Windows forbids in file names, not made only
/// of dots and not ending in a blank or a dot, and not the temporary folder's name.
bool IsProjectFolderName(std::string_view name);

/// A project folder name for a level: the level name with the characters a file name cannot
/// hold turned into "_" and the blanks and dots at its ends removed; the JKL file's name
/// without extension when that leaves nothing, and "Level" when that leaves nothing either.
std::string ProjectFolderName(std::string_view levelName, std::string_view jklName);

/// name, or name + " (2)", " (3)", ... : the first that is neither a folder in projectsDir nor
/// one of the taken names (both compared without regard to case).
std::string FreeProjectName(const std::filesystem::path& projectsDir, const std::string& name,
                            const std::vector<std::string>& takenNames);

}  // namespace kx::project
