#pragma once

#include "platform/SettingsFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kx::project {

/// A project as the settings file lists it: its number n (its section is "Project" + n, from 1)
/// and its level name, which is also the name of its folder below Projects.
struct RegisteredProject {
  int number = 0;
  std::string levelName;
  bool operator==(const RegisteredProject&) const = default;
};

/// The settings section of project number n: "Project" + n.
std::string ProjectSection(int n);

/// The projects the settings list, by number ("NProjects" of "Projects"; a hand-edited count
/// is trusted up to 65536).
std::vector<RegisteredProject> RegisteredProjects(const platform::SettingsSnapshot& snapshot);

/// The folder of a project: programDir\Projects\levelName; nothing when the level name cannot be
/// a folder there (empty, a path, the temporary folder).
std::optional<std::filesystem::path> ProjectFolder(const std::filesystem::path& programDir,
                                                   const std::string& levelName);

/// Lists a new project under the next number, with its level name, JKL name and GOB2 name, and
/// returns that number. The count is written last, so a failed write lists nothing. Throws
/// CommandError "Unable to write to ..." when the settings file cannot be written.
int RegisterProject(platform::SettingsFile& settings, const std::string& levelName,
                    const std::string& jklName, const std::string& gob2Name);

/// Takes project number n off the list: its section goes and the later projects move down one
/// number, in one write, then the count drops by one. Nothing happens for a number not listed.
/// Throws as RegisterProject.
void UnregisterProject(platform::SettingsFile& settings, int n);

}  // namespace kx::project
