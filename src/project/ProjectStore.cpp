#include "project/ProjectStore.h"

#include "archive/EntryNames.h"
#include "archive/Ungob.h"
#include "level/EpisodeFile.h"
#include "level/JklReader.h"
#include "level/Words.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"
#include "platform/GamePaths.h"
#include "project/CogStrings.h"
#include "project/DeleteTree.h"
#include "project/ProjectNames.h"
#include "resources/ModelRadii.h"

#include <algorithm>
#include <memory>
#include <system_error>

namespace kx::project {

namespace fs = std::filesystem;
using platform::BoxKind;
using platform::CommandError;

namespace {

// A hand-edited project count is trusted only this far.
constexpr int kMaxProjects = 65536;

std::string ProjectSection(int n) {
  return "Project" + std::to_string(n);
}

int ProjectCount(const platform::SettingsSnapshot& snapshot) {
  return std::clamp(snapshot.Int("Projects", "NProjects", 0), 0, kMaxProjects);
}

std::vector<std::string> RegisteredLevelNames(const platform::SettingsSnapshot& snapshot) {
  std::vector<std::string> names;
  const int count = ProjectCount(snapshot);
  for (int n = 1; n <= count; ++n)
    names.push_back(snapshot.Text(ProjectSection(n), "LevelName", ""));
  return names;
}

// The archive's own name, whichever separator its path uses.
std::string ArchiveFileName(const std::string& archivePath) {
  const auto slash = archivePath.find_last_of("\\/");
  return slash == std::string::npos ? archivePath : archivePath.substr(slash + 1);
}

void RemoveQuietly(const fs::path& dir) {
  try {
    DeleteTree(dir);
  } catch (const CommandError&) {
    // The original failure is the one worth reporting.
  }
}

}  // namespace

std::vector<std::string> ListJklFiles(const fs::path& projectDir) {
  std::vector<std::string> names;
  const auto jklDir = platform::FindDirectoryIgnoringCase(projectDir, "jkl");
  if (!jklDir) return names;
  std::error_code ec;
  for (fs::directory_iterator it(*jklDir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code statusError;
    if (name.size() > 4 && level::EqualsIgnoringCase(name.substr(name.size() - 4), ".jkl") &&
        !it->is_directory(statusError)) {
      names.push_back(name);
    }
  }
  // The first name is the default choice; it must not depend on the file system's order.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const auto upperA = level::ToUpperAscii(a);
    const auto upperB = level::ToUpperAscii(b);
    return upperA != upperB ? upperA < upperB : a < b;
  });
  return names;
}

void NewProjectCommand(ProjectContext& context) {
  const auto answer = context.ui.AskNewProject();
  if (!answer) return;
  context.window.BeforeProjectLoad();
  if (answer->kind == platform::NewProjectAnswer::Kind::UserGob2) {
    NewProjectFromGob(context, answer->userGob2);
  }
}

void OpenProjectCommand(ProjectContext& context) {
  const auto names = RegisteredLevelNames(context.settings.Snapshot());
  if (names.empty()) {
    context.ui.ShowMessage(BoxKind::Error, kNoProjectsMessage);
    return;
  }
  const auto choice = context.ui.ChooseProject(names);
  if (!choice || *choice < 0 || *choice >= static_cast<int>(names.size())) return;
  context.window.BeforeProjectLoad();
  // List position k is always section "Project" + (k + 1).
  OpenProject(context, names[static_cast<std::size_t>(*choice)], *choice + 1);
}

void NewProjectFromGob(ProjectContext& context, const std::string& archivePath) {
  auto& ui = context.ui;
  const std::string archiveName = ArchiveFileName(archivePath);
  // The name is registered and later packed into; one that cannot be would leave a project
  // that never opens.
  if (!archive::IsPlainFileName(archiveName)) throw CommandError::InvalidFilename(archiveName);
  const auto snapshot = context.settings.Snapshot();
  const int count = ProjectCount(snapshot);
  for (int n = 1; n <= count; ++n) {
    if (level::EqualsIgnoringCase(snapshot.Text(ProjectSection(n), "GOB2Name", ""), archiveName)) {
      ui.ShowMessage(BoxKind::Information, kDuplicateGob2Message);
      return;
    }
  }

  const fs::path projectsDir = context.values.ProgramDir / "Projects";
  std::error_code ec;
  fs::create_directories(projectsDir, ec);
  std::error_code statusError;
  if (!fs::is_directory(projectsDir, statusError)) {
    throw CommandError::FromErrno(ec ? ec.value() : ENOTDIR, platform::DisplayPath(projectsDir));
  }
  const fs::path tempDir = projectsDir / kTempDirName;
  // What an earlier failure left there must not mix with this archive's files.
  DeleteTree(tempDir);

  std::string folderName;
  std::string jklName;
  try {
    if (!archive::Ungob(archivePath, tempDir, ui)) return;  // the missing archive was reported
    const auto jklNames = ListJklFiles(tempDir);
    if (jklNames.empty()) {
      ui.ShowMessage(BoxKind::Error, kNoJklMessage);
      DeleteTree(tempDir);
      return;
    }
    std::size_t chosen = 0;
    if (jklNames.size() > 1) {
      const auto choice = ui.ChooseJkl(jklNames);
      if (choice && *choice >= 0 && *choice < static_cast<int>(jklNames.size())) {
        chosen = static_cast<std::size_t>(*choice);
      }
    }
    jklName = jklNames[chosen];
    const std::string levelName = LevelNameFromCogStrings(
        platform::ResolveIgnoringCase(tempDir, "misc\\cogstrings.uni"), jklName);
    // The project's folder is named after the level; a taken name gets a number, so that a
    // project never opens another's files.
    folderName = FreeProjectName(projectsDir, ProjectFolderName(levelName, jklName),
                                 RegisteredLevelNames(snapshot));
    fs::rename(tempDir, projectsDir / folderName, ec);
    if (ec) {
      throw CommandError::FromErrno(ec.value(), platform::DisplayPath(projectsDir / folderName));
    }
  } catch (...) {
    RemoveQuietly(tempDir);
    throw;
  }

  // The count is written last, so a failed write never registers a half-written project.
  const int n = count + 1;
  const std::string section = ProjectSection(n);
  context.settings.WriteSettingText(section, "LevelName", folderName);
  context.settings.WriteSettingText(section, "JKLName", jklName);
  context.settings.WriteSettingText(section, "GOB2Name", level::ToUpperAscii(archiveName));
  context.settings.WriteSettingInt("Projects", "NProjects", n);
  OpenProject(context, folderName, n);
}

void OpenProject(ProjectContext& context, const std::string& levelName, int n) {
  const auto snapshot = context.settings.Snapshot();
  ProjectValues opened = context.values;
  opened.ProjectDir = context.values.ProgramDir / "Projects" / levelName;
  opened.JKLName = snapshot.Text(ProjectSection(n), "JKLName", "");
  opened.GOB2Name = snapshot.Text(ProjectSection(n), "GOB2Name", "");
  opened.LevelName = levelName;
  // The settings file may have been edited by hand: its names must stay inside the project.
  if (!IsProjectFolderName(levelName)) throw CommandError::InvalidFilename(levelName);
  if (!archive::IsPlainFileName(opened.JKLName)) {
    throw CommandError::InvalidFilename(opened.JKLName);
  }
  if (!opened.GOB2Name.empty() && !archive::IsPlainFileName(opened.GOB2Name)) {
    throw CommandError::InvalidFilename(opened.GOB2Name);
  }

  // The level is read aside and takes the open project's place only when everything was read,
  // so a failed open never leaves one project's level under another project's name.
  auto loaded = std::make_unique<level::Level>();
  level::ReadLevel(*loaded, LevelFilePath(opened), opened.JKLName, context.ui);
  level::ReadEpisode(loaded->episode, EpisodeFilePath(opened));
  resources::Parse3DOs(*loaded, opened.ProjectDir, ResourceArchivePath(opened), context.ui);

  context.level = std::move(*loaded);
  context.values = std::move(opened);
  context.ui.SetMainCaption(ProjectCaption(levelName));
  context.window.ProjectOpened();
}

}  // namespace kx::project
