#pragma once

#include "level/Level.h"

#include <array>

/// What the map reads of a level's geometry, never outside a table: a corner that names a vertex
/// outside the vertex table is left out of its outline, and the part of a sector's surface range
/// that leaves the surface table is left out of the sector.
namespace kx::mapview {

/// The vertex indices of a surface's corners that name vertices in use, in corner order.
struct Outline {
  std::array<int, level::capacity::kSurfaceMaxVertices> vertices{};
  int count = 0;
};

Outline OutlineOf(const level::Level& level, const level::Surface& surface);

/// Surfaces first..end-1, the part of a sector's range that lies in the surface table.
struct SurfaceRange {
  int first = 0;
  int end = 0;
};

SurfaceRange SurfacesOf(const level::Level& level, const level::Sector& sector);

/// Whether surface lies in the sector's range as the level states it (first to first+n-1).
inline bool SectorHoldsSurface(const level::Sector& sector, int surface) {
  const long long first = sector.firstsurface;
  return first <= surface && surface <= first + sector.nsurfaces - 1;
}

}  // namespace kx::mapview
