#pragma once

#include <filesystem>
#include <string>
#include <string_view>

/// Projects: user archives unpacked into folders of their own, the settings that list them,
/// and putting a packed level into the game.
namespace kx::project {

/// The values the rest of the program works from: where the program and the game are, and the
/// project that is open. Owned by the main window; replaced by every project open.
struct ProjectValues {
  std::filesystem::path ProgramDir;  // the program file's folder; Kelvarix.ini and Projects
  std::filesystem::path JKDir;       // the game's folder, from the settings file; may be empty
  std::filesystem::path ProjectDir;  // the open project's folder; empty while none is open
  std::string LevelName;             // the open project's level name, its folder's name
  std::string JKLName;               // the level file, in ProjectDir's jkl folder
  std::string GOB2Name;              // the archive the project packs into (upper case)
  int PreviewWidth = 320;
  int PreviewHeight = 240;
};

/// The main window's caption while a project is open: the idle caption, " - " and the level
/// name, with "*" after it while the level has unsaved changes.
std::string ProjectCaption(std::string_view levelName, bool unsaved = false);

/// The game's resource archive: JKDir\resource\res2.gob (found in any letter case).
std::filesystem::path ResourceArchivePath(const ProjectValues& values);

/// The open project's level file: ProjectDir\jkl\JKLName (found in any letter case).
std::filesystem::path LevelFilePath(const ProjectValues& values);

/// The open project's episode file: ProjectDir\episode.jk (found in any letter case).
std::filesystem::path EpisodeFilePath(const ProjectValues& values);

}  // namespace kx::project
