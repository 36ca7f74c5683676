#include "project/ProjectStore.h"

#include "archive/EntryNames.h"
#include "archive/Ungob.h"
#include "level/EpisodeFile.h"
#include "level/JklReader.h"
#include "level/Words.h"
#include "platform/CommandError.h"
#include "platform/CommandRouter.h"
#include "platform/FileIo.h"
#include "platform/GamePaths.h"
#include "project/CogStrings.h"
#include "project/DeleteTree.h"
#include "project/ProjectNames.h"
#include "project/ProjectRegistry.h"
#include "project/StarterProject.h"
#include "resources/ModelRadii.h"

#include <algorithm>
#include <memory>
#include <system_error>

namespace kx::project {

namespace fs = std::filesystem;
using platform::BoxKind;
using platform::CommandError;

namespace {

std::vector<std::string> LevelNames(const std::vector<RegisteredProject>& projects) {
  std::vector<std::string> names;
  for (const auto& project : projects) names.push_back(project.levelName);
  return names;
}

bool FolderExists(const fs::path& folder) {
  std::error_code ec;
  return fs::is_directory(folder, ec);
}

// The registered projects whose folders are there, by number.
std::vector<RegisteredProject> OpenableProjects(const ProjectContext& context) {
  std::vector<RegisteredProject> openable;
  for (auto& project : RegisteredProjects(context.settings.Snapshot())) {
    const auto folder = ProjectFolder(context.values.ProgramDir, project.levelName);
    if (folder && FolderExists(*folder)) openable.push_back(std::move(project));
  }
  return openable;
}

// A project whose folder is gone can only fail to open; each is named, and taken off the list
// when the user agrees. The highest numbers go first, so the lower ones keep theirs.
void OfferToForgetMissingProjects(ProjectContext& context) {
  auto projects = RegisteredProjects(context.settings.Snapshot());
  for (auto it = projects.rbegin(); it != projects.rend(); ++it) {
    const auto folder = ProjectFolder(context.values.ProgramDir, it->levelName);
    if (folder && FolderExists(*folder)) continue;
    const fs::path shown = folder.value_or(context.values.ProgramDir / "Projects" / it->levelName);
    if (context.ui.AskYesNo(MissingProjectQuestion(it->levelName, platform::DisplayPath(shown)))) {
      UnregisterProject(context.settings, it->number);
    }
  }
}

bool IsOpenProject(const ProjectValues& values, const fs::path& folder) {
  return !values.ProjectDir.empty() && values.ProjectDir.parent_path() == folder.parent_path() &&
         level::EqualsIgnoringCase(values.ProjectDir.filename().string(),
                                   folder.filename().string());
}

// The Remove button: after a confirmation the project is taken off the list and its folder,
// which lies in Projects, is deleted, unless another registered project shares it.
void RemoveProject(ProjectContext& context, const RegisteredProject& project) {
  const auto folder = ProjectFolder(context.values.ProgramDir, project.levelName);
  if (!folder) return;  // only folders that exist are listed
  if (IsOpenProject(context.values, *folder)) {
    context.ui.ShowMessage(BoxKind::Information, OpenProjectNotRemovedMessage(project.levelName));
    return;
  }
  if (!context.ui.AskYesNo(
          RemoveProjectQuestion(project.levelName, platform::DisplayPath(*folder)))) {
    return;
  }
  UnregisterProject(context.settings, project.number);
  for (const auto& other : RegisteredProjects(context.settings.Snapshot())) {
    if (level::EqualsIgnoringCase(other.levelName, project.levelName)) return;
  }
  DeleteTree(*folder);
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

std::string MissingProjectQuestion(const std::string& levelName, const std::string& folder) {
  return "The folder of the project \"" + levelName + "\" is gone:\r" + folder +
         "\r\rRemove the project from the list?";
}

std::string RemoveProjectQuestion(const std::string& levelName, const std::string& folder) {
  return "Remove the project \"" + levelName +
         "\" from the list and delete its folder with all its files?\r" + folder;
}

std::string OpenProjectNotRemovedMessage(const std::string& levelName) {
  return "The project \"" + levelName +
         "\" is open. Open another project before removing this one.";
}

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
  } else {
    NewStarterProject(context, *answer);
  }
}

void OpenProjectCommand(ProjectContext& context) {
  OfferToForgetMissingProjects(context);
  for (bool first = true;; first = false) {
    const auto projects = OpenableProjects(context);
    if (projects.empty()) {
      // Once the last project was removed there is simply nothing left to choose.
      if (first) context.ui.ShowMessage(BoxKind::Error, kNoProjectsMessage);
      return;
    }
    const auto choice = context.ui.ChooseProject(LevelNames(projects));
    if (!choice || choice->index < 0 || choice->index >= static_cast<int>(projects.size())) return;
    const RegisteredProject& chosen = projects[static_cast<std::size_t>(choice->index)];
    if (choice->action == platform::ProjectChoice::Action::Remove) {
      RemoveProject(context, chosen);
      continue;
    }
    context.window.BeforeProjectLoad();
    OpenProject(context, chosen.levelName, chosen.number);
    return;
  }
}

std::optional<level::ParseOutcome> NewProjectFromGob(ProjectContext& context,
                                                     const std::string& archivePath) {
  auto& ui = context.ui;
  const std::string archiveName = ArchiveFileName(archivePath);
  // The name is registered and later packed into; one that cannot be would leave a project
  // that never opens.
  if (!archive::IsPlainFileName(archiveName)) throw CommandError::InvalidFilename(archiveName);
  if (Gob2NameTaken(context.settings, archiveName)) {
    ui.ShowMessage(BoxKind::Information, kDuplicateGob2Message);
    return std::nullopt;
  }

  const fs::path tempDir = FreshTempDir(context.values);
  std::string folderName;
  std::string jklName;
  try {
    if (!archive::Ungob(archivePath, tempDir, ui))
      return std::nullopt;  // the missing archive was reported
    const auto jklNames = ListJklFiles(tempDir);
    if (jklNames.empty()) {
      ui.ShowMessage(BoxKind::Error, kNoJklMessage);
      DeleteTree(tempDir);
      return std::nullopt;
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
    folderName = MoveToProjectFolder(context, tempDir, levelName, jklName);
  } catch (...) {
    RemoveQuietly(tempDir);
    throw;
  }

  return OpenNewProject(context, folderName, jklName, level::ToUpperAscii(archiveName));
}

fs::path FreshTempDir(const ProjectValues& values) {
  const fs::path projectsDir = values.ProgramDir / "Projects";
  std::error_code ec;
  fs::create_directories(projectsDir, ec);
  std::error_code statusError;
  if (!fs::is_directory(projectsDir, statusError)) {
    throw CommandError::FromErrno(ec ? ec.value() : ENOTDIR, platform::DisplayPath(projectsDir));
  }
  const fs::path tempDir = projectsDir / kTempDirName;
  // What an earlier failure left there must not mix with the new project's files.
  DeleteTree(tempDir);
  return tempDir;
}

std::string MoveToProjectFolder(const ProjectContext& context, const fs::path& tempDir,
                                const std::string& levelName, const std::string& jklName) {
  const fs::path projectsDir = tempDir.parent_path();
  // The project's folder is named after the level; a taken name gets a number, so that a
  // project never opens another's files.
  const std::string folderName =
      FreeProjectName(projectsDir, ProjectFolderName(levelName, jklName),
                      LevelNames(RegisteredProjects(context.settings.Snapshot())));
  std::error_code ec;
  fs::rename(tempDir, projectsDir / folderName, ec);
  if (ec) {
    throw CommandError::FromErrno(ec.value(), platform::DisplayPath(projectsDir / folderName));
  }
  return folderName;
}

bool Gob2NameTaken(const platform::SettingsFile& settings, const std::string& gob2Name) {
  const auto snapshot = settings.Snapshot();
  for (const auto& project : RegisteredProjects(snapshot)) {
    if (level::EqualsIgnoringCase(snapshot.Text(ProjectSection(project.number), "GOB2Name", ""),
                                  gob2Name)) {
      return true;
    }
  }
  return false;
}

std::optional<level::ParseOutcome> OpenNewProject(ProjectContext& context,
                                                  const std::string& folderName,
                                                  const std::string& jklName,
                                                  const std::string& gob2Name) {
  const fs::path folder = context.values.ProgramDir / "Projects" / folderName;
  int n = 0;
  try {
    n = RegisterProject(context.settings, folderName, jklName, gob2Name);
  } catch (...) {
    RemoveQuietly(folder);
    throw;
  }
  try {
    return OpenProject(context, folderName, n);
  } catch (...) {
    // The user reads why before the project is gone; a project that never opened is no use.
    platform::ShowFailure(context.ui, std::current_exception());
    UnregisterProject(context.settings, n);
    RemoveQuietly(folder);
    return std::nullopt;
  }
}

level::ParseOutcome OpenProject(ProjectContext& context, const std::string& levelName, int n) {
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
  const level::ParseOutcome outcome =
      level::ReadLevel(*loaded, LevelFilePath(opened), opened.JKLName, context.ui);
  level::ReadEpisode(loaded->episode, EpisodeFilePath(opened));
  resources::Parse3DOs(*loaded, opened.ProjectDir, ResourceArchivePath(opened), context.ui);

  context.level = std::move(*loaded);
  context.values = std::move(opened);
  context.ui.SetMainCaption(ProjectCaption(levelName));
  context.window.ProjectOpened();
  return outcome;
}

}  // namespace kx::project
