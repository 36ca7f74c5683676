#include "project/ProjectValues.h"

#include "platform/AppInfo.h"
#include "platform/GamePaths.h"

namespace kx::project {

std::string ProjectCaption(std::string_view levelName, bool unsaved) {
  std::string caption(platform::kIdleCaption);
  caption += " - ";
  caption += levelName;
  if (unsaved) caption += '*';
  return caption;
}

std::filesystem::path ResourceArchivePath(const ProjectValues& values) {
  return platform::ResolveIgnoringCase(values.JKDir, "resource\\res2.gob");
}

std::filesystem::path LevelFilePath(const ProjectValues& values) {
  return platform::ResolveIgnoringCase(values.ProjectDir, "jkl\\" + values.JKLName);
}

std::filesystem::path EpisodeFilePath(const ProjectValues& values) {
  return platform::ResolveIgnoringCase(values.ProjectDir, "episode.jk");
}

}  // namespace kx::project
