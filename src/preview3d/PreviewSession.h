#pragma once

#include "level/Level.h"
#include "mapview/EditMode.h"
#include "preview3d/Navigation.h"
#include "preview3d/SceneGeometry.h"
#include "preview3d/SceneMaterials.h"

#include <string>
#include <vector>

namespace kx::preview3d {

/// Everything the preview draws.
struct PreviewScene {
  SceneMaterials materials;
  SceneGeometry geometry;
};

/// The first thing in use whose template is "WALKPLAYER" (in any case), or previous when the
/// level has none.
int FindPlayerStart(const level::Level& level, int previous);

/// Where thing index stands; the level's origin when no thing of that index is in use.
Vec3 ThingPosition(const level::Level& level, int index);

/// The preview from one opening to the next: the scene it draws, the walk through it, and the
/// player start, which is kept from one preview to the next (thing 0 until one is found).
class PreviewSession {
 public:
  /// Builds the scene anew (the game archive's directory read again, the palette, every
  /// material, every surface) and puts the camera at the player start, looking along +y with +z up,
  /// at scale 1. Progress counts the materials, then the surfaces.
  void Start(const level::Level& level, mapview::EditMode mode,
             const resources::ResourcePaths& paths, const BuildProgress& progress);
  /// After the level changed: the surfaces again, the palette and materials too when
  /// materialsChanged; the walk stays where it is.
  void Rebuild(const level::Level& level, mapview::EditMode mode, bool materialsChanged,
               const BuildProgress& progress);
  /// Lets the scene go when the preview closes; the player start stays.
  void Release();

  const PreviewScene& Scene() const { return m_scene; }
  Navigation& Walk() { return m_walk; }
  const Navigation& Walk() const { return m_walk; }
  int PlayerStart() const { return m_playerStart; }
  /// The notices of the last build: the game archive's, the palette's, the materials'.
  std::vector<std::string> Notices() const;

 private:
  PreviewScene m_scene;
  Navigation m_walk;
  ResourceIndex m_resources;
  std::vector<std::string> m_archiveNotices;
  int m_playerStart = 0;
};

}  // namespace kx::preview3d
