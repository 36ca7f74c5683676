#include "mapview/LevelGeometry.h"

#include <algorithm>

namespace kx::mapview {

Outline OutlineOf(const level::Level& level, const level::Surface& surface) {
  Outline outline;
  const int corners = std::clamp(surface.nverts, 0, level::capacity::kSurfaceMaxVertices);
  const int vertexCount = level.vertices.Used();
  for (int k = 0; k < corners; ++k) {
    const int vertex = surface.vertices[static_cast<std::size_t>(k)].vertex;
    if (vertex >= 0 && vertex < vertexCount) {
      outline.vertices[static_cast<std::size_t>(outline.count++)] = vertex;
    }
  }
  return outline;
}

SurfaceRange SurfacesOf(const level::Level& level, const level::Sector& sector) {
  const long long used = level.surfaces.Used();
  const long long first = std::clamp<long long>(sector.firstsurface, 0, used);
  const long long end = std::clamp<long long>(
      static_cast<long long>(sector.firstsurface) + sector.nsurfaces, first, used);
  return {static_cast<int>(first), static_cast<int>(end)};
}

}  // namespace kx::mapview
