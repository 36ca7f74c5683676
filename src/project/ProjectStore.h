#pragma once

#include "level/JklReader.h"
#include "level/Level.h"
#include "platform/SettingsFile.h"
#include "platform/Ui.h"
#include "project/ProjectValues.h"
#include "project/ProjectWindow.h"

#include <optional>
#include <string>

namespace kx::project {

/// What the project commands work on; all of it is owned by the main window.
struct ProjectContext {
  ProjectValues& values;
  platform::SettingsFile& settings;
  level::Level& level;
  platform::Ui& ui;
  ProjectWindow& window;
};

inline constexpr char kDuplicateGob2Message[] = "A project with that GOB2-name does already exist!";
inline constexpr char kNoJklMessage[] = "No JKL-files found in GOB2 file!";
inline constexpr char kNoProjectsMessage[] = "No projects available!";

/// The question for a registered project whose folder is gone.
std::string MissingProjectQuestion(const std::string& levelName, const std::string& folder);
/// The confirmation of the open-project dialog's Remove.
std::string RemoveProjectQuestion(const std::string& levelName, const std::string& folder);
/// Why Remove leaves the open project alone.
std::string OpenProjectNotRemovedMessage(const std::string& levelName);

/// File > New project: the new-project dialog; after OK the selection is cleared and
/// NewProjectFromGob runs for a user archive, NewStarterProject for "Start a new project".
void NewProjectCommand(ProjectContext& context);

/// File > Open project. Each registered project whose folder is gone is named, and taken off the
/// list when the user agrees; the dialog lists only projects whose folders exist ("No projects
/// available!" when there is none). The chosen one is opened after the selection is cleared.
/// Remove asks for a confirmation, takes the highlighted project off the list, deletes its folder
/// in Projects (unless another project shares it) and shows the list again; the open project is
/// not removed.
void OpenProjectCommand(ProjectContext& context);

/// Makes a project of the user archive at archivePath: refuses an archive name already
/// registered, extracts the archive into Projects\tempdir (removing one left behind), lets the
/// user choose among several JKL files (sorted by name), names the project after the level
/// (from misc\cogstrings.uni, else the JKL file's name) with " (2)", " (3)", ... added when the
/// name is taken, renames the folder, and registers and opens the project (OpenNewProject).
/// Throws CommandError when extraction, the rename or the registration fails; the temporary
/// folder is removed then.
/// Returns how the level was read, or nothing when no project was opened.
std::optional<level::ParseOutcome> NewProjectFromGob(ProjectContext& context,
                                                     const std::string& archivePath);

/// Makes the Projects folder when it is missing and an empty Projects\tempdir, where a new
/// project's files are put together, and returns that folder. Throws CommandError when Projects
/// cannot be made or tempdir not emptied.
std::filesystem::path FreshTempDir(const ProjectValues& values);

/// Renames the temporary folder after the level (ProjectFolderName, with a number added when the
/// name is taken: FreeProjectName) and returns the folder's name. Throws CommandError when the
/// rename fails.
std::string MoveToProjectFolder(const ProjectContext& context, const std::filesystem::path& tempDir,
                                const std::string& levelName, const std::string& jklName);

/// Whether a registered project packs into gob2Name (letter case ignored).
bool Gob2NameTaken(const platform::SettingsFile& settings, const std::string& gob2Name);

/// Registers the new project in Projects\folderName and opens it. When it cannot be opened, the
/// failure is shown in an "Error" box, and then the project is taken off the list and its folder
/// deleted, so that a failed import leaves nothing behind. Throws CommandError when the
/// registration fails (the folder is deleted then too). Returns how the level was read, or
/// nothing when the project could not be opened.
std::optional<level::ParseOutcome> OpenNewProject(ProjectContext& context,
                                                  const std::string& folderName,
                                                  const std::string& jklName,
                                                  const std::string& gob2Name);

/// Makes registered project number n (from 1), whose folder is Projects\levelName, the open
/// project: reads its level, its episode file and its models' radii (each missing model in a
/// "Can't find" box), then sets the values and the caption and tells the window. Throws
/// CommandError when a file cannot be read, or "Invalid filename" when the settings name an
/// unusable folder or level file; the open project then stays as it was. Returns how the level
/// was read (whether records of the file were left out).
level::ParseOutcome OpenProject(ProjectContext& context, const std::string& levelName, int n);

/// The level files of an extracted archive: the names of the *.jkl files in its jkl folder,
/// letter case ignored, sorted by name.
std::vector<std::string> ListJklFiles(const std::filesystem::path& projectDir);

}  // namespace kx::project
