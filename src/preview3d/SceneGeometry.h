#pragma once

#include "level/Level.h"
#include "mapview/EditMode.h"
#include "preview3d/SceneMaterials.h"

#include <cstdint>
#include <vector>

namespace kx::preview3d {

/// One corner of a drawn surface, as the vertex buffer holds it.
struct SceneVertex {
  float x = 0, y = 0, z = 0;     // level units
  float nx = 0, ny = 0, nz = 0;  // the surface's normal
  float grey = 0;                // the corner's intensity plus its sector's extra light
  float u = 0, v = 0;            // texture vertex over the texture's width and height
};

/// The triangles of one texture: indices[firstIndex .. firstIndex + indexCount).
struct SceneBatch {
  int texture = 0;
  std::uint32_t firstIndex = 0;
  std::uint32_t indexCount = 0;
};

/// The level's solid surfaces as triangles, grouped by texture so that a frame is one draw
/// call per texture used. Every triangle's corners run counter-clockwise seen from the side its
/// surface's normal points to, so culling back faces leaves the side the game draws.
struct SceneGeometry {
  std::vector<SceneVertex> vertices;
  std::vector<std::uint32_t> indices;  // three per triangle
  std::vector<SceneBatch> batches;     // in texture order, none empty
  int surfaces = 0;                    // surfaces drawn
};

/// The surfaces the preview draws, in the order it meets them: of every sector in use (in the
/// Sector mode only the visible ones), the surfaces from firstsurface on that are in use, have
/// no adjoin (adjoin -1) and, in the Surface mode, are visible. A surface with fewer than three
/// corners, or whose corners name vertices or texture vertices outside their tables, is left
/// out. Reports each surface to progress.
SceneGeometry BuildSceneGeometry(const level::Level& level, mapview::EditMode mode,
                                 const SceneMaterials& materials, const BuildProgress& progress);

}  // namespace kx::preview3d
