#include "project/ProjectValues.h"

#include "platform/GamePaths.h"

namespace kx::project {

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
