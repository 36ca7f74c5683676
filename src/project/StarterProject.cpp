#include "project/StarterProject.h"

#include "building/StarterLevel.h"

#include "archive/EntryNames.h"
#include "level/EpisodeFile.h"
#include "level/JklWriter.h"
#include "level/Words.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"
#include "platform/GamePaths.h"
#include "project/CogStrings.h"
#include "project/DeleteTree.h"
#include "project/NewProjectRules.h"

#include <algorithm>
#include <system_error>

namespace kx::project {

namespace fs = std::filesystem;
using platform::CommandError;

namespace {

// The title as the episode file and the string table hold it: one line, in double quotes.
std::string TitleOf(std::string_view levelName, std::string_view jklName) {
  std::string title(level::Trim(levelName));
  if (title.empty()) title = std::string(jklName.substr(0, jklName.size() - 4));
  for (char& c : title) {
    if (static_cast<unsigned char>(c) < 32) c = ' ';
    if (c == '"') c = '\'';
  }
  return title;
}

bool HoldsBlank(std::string_view name) {
  return std::any_of(name.begin(), name.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

}  // namespace

std::string StarterJklName(std::string_view typed) {
  std::string name(level::Trim(typed));
  if (name.size() < 4 || !level::EqualsIgnoringCase(name.substr(name.size() - 4), ".jkl")) {
    name += ".jkl";
  }
  return name;
}

void NewStarterProject(ProjectContext& context, const platform::NewProjectAnswer& answer) {
  const std::string jklName = StarterJklName(answer.jklName);
  const std::string gob2Name = CompleteGob2Name(level::Trim(answer.gob2Name));
  if (jklName.size() <= 4 || !archive::IsPlainFileName(jklName) || HoldsBlank(jklName)) {
    throw CommandError::InvalidFilename(jklName);
  }
  if (!archive::IsPlainFileName(gob2Name) || !NewProjectFieldsValid("-", jklName, gob2Name)) {
    throw CommandError::InvalidFilename(gob2Name);
  }
  if (Gob2NameTaken(context.settings, gob2Name)) {
    context.ui.ShowMessage(platform::BoxKind::Information, kDuplicateGob2Message);
    return;
  }
  const std::string title = TitleOf(answer.levelName, jklName);

  const fs::path tempDir = FreshTempDir(context.values);
  std::string folderName;
  try {
    platform::BusyCursor busy(context.ui);
    const auto level = building::BuildStarterLevel(title);
    std::vector<building::GeneratedFile> files = building::StarterResources();
    files.push_back({"jkl\\" + jklName,
                     level::FormatLevel(*level, "jkl\\" + jklName, level::CurrentTimeStamp())});
    files.push_back({"episode.jk", level::FormatEpisode(level->episode, jklName)});
    files.push_back({"misc\\cogstrings.uni", FormatCogStrings(jklName, title)});
    for (const auto& file : files) {
      const fs::path path = tempDir / platform::NativeRelativePath(file.name);
      std::error_code ec;
      fs::create_directories(path.parent_path(), ec);
      if (ec) throw CommandError::FromErrno(ec.value(), platform::DisplayPath(path.parent_path()));
      platform::WriteFileAtomically(path, file.bytes);
    }
    folderName = MoveToProjectFolder(context, tempDir, title, jklName);
  } catch (...) {
    try {
      DeleteTree(tempDir);
    } catch (const CommandError&) {
      // The failure that stopped the writing is the one worth reporting.
    }
    throw;
  }
  OpenNewProject(context, folderName, jklName, gob2Name);
}

}  // namespace kx::project
