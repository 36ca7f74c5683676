#include "preview3d/PreviewSession.h"

#include "level/Words.h"

namespace kx::preview3d {

int FindPlayerStart(const level::Level& level, int previous) {
  const int count = level.things.Used();
  for (int i = 0; i < count; ++i) {
    const level::Thing& thing = level.things[i];
    if (thing.marks.empty == 0 && level::EqualsIgnoringCase(thing.templateName, "WALKPLAYER")) {
      return i;
    }
  }
  return previous;
}

Vec3 ThingPosition(const level::Level& level, int index) {
  if (!level.things.InUse(index)) return {};
  const level::Thing& thing = level.things[index];
  return {thing.x, thing.y, thing.z};
}

void PreviewSession::Start(const level::Level& level, mapview::EditMode mode,
                           const resources::ResourcePaths& paths, const BuildProgress& progress) {
  m_archiveNotices.clear();
  m_resources = ResourceIndex(paths, m_archiveNotices);
  m_scene.materials = LoadSceneMaterials(level, m_resources, progress);
  m_scene.geometry = BuildSceneGeometry(level, mode, m_scene.materials, progress);
  m_playerStart = FindPlayerStart(level, m_playerStart);
  m_walk = Navigation{Camera::At(ThingPosition(level, m_playerStart)), 1};
}

void PreviewSession::Rebuild(const level::Level& level, mapview::EditMode mode,
                             bool materialsChanged, const BuildProgress& progress) {
  if (materialsChanged) m_scene.materials = LoadSceneMaterials(level, m_resources, progress);
  m_scene.geometry = BuildSceneGeometry(level, mode, m_scene.materials, progress);
}

void PreviewSession::Release() {
  m_scene = PreviewScene{};
}

std::vector<std::string> PreviewSession::Notices() const {
  std::vector<std::string> notices = m_archiveNotices;
  notices.insert(notices.end(), m_scene.materials.notices.begin(), m_scene.materials.notices.end());
  return notices;
}

}  // namespace kx::preview3d
