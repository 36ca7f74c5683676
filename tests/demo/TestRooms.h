#pragma once

#include "BoxBuilder.h"

#include "level/Level.h"

#include <memory>
#include <set>
#include <tuple>

namespace kx::demo::test {

/// A box of the given extent with every side a plain wall.
inline BoxSector Room(Vec3 min, Vec3 max) {
  BoxSector room;
  room.min = min;
  room.max = max;
  return room;
}

/// The level of builder, with the one material its surfaces name.
inline std::unique_ptr<level::Level> Build(const BoxBuilder& builder) {
  auto level = std::make_unique<level::Level>();
  level->materials.count = 1;
  level->materials[0] = {"wall.mat", 1, 1};
  builder.Build(*level);
  return level;
}

/// Two rooms: a unit cube and a smaller box against its east side, reaching its floor, so that
/// the opening between them cuts the cube's east wall and adds two corners to its floor.
inline std::unique_ptr<level::Level> TwoRooms() {
  BoxBuilder builder;
  builder.AddSector(Room({0, 0, 0}, {1, 1, 1}));
  builder.AddSector(Room({1, 0.25, 0}, {2, 0.75, 0.5}));
  builder.Join(0, 1);
  return Build(builder);
}

/// The surfaces of sector s whose normal is (nx, ny, nz).
inline std::vector<int> SurfacesFacing(const level::Level& level, int s, float nx, float ny,
                                       float nz) {
  std::vector<int> found;
  const auto& sector = level.sectors[s];
  for (int i = sector.firstsurface; i < sector.firstsurface + sector.nsurfaces; ++i) {
    const auto& n = level.normals[static_cast<std::size_t>(i)];
    if (n.x == nx && n.y == ny && n.z == nz) found.push_back(i);
  }
  return found;
}

/// The positions of a surface's corners, as a set.
inline std::set<std::tuple<float, float, float>> CornerSet(const level::Level& level, int surface) {
  std::set<std::tuple<float, float, float>> corners;
  const auto& s = level.surfaces[surface];
  for (int c = 0; c < s.nverts; ++c) {
    const auto& v = level.vertices[s.vertices[static_cast<std::size_t>(c)].vertex];
    corners.emplace(v.x, v.y, v.z);
  }
  return corners;
}

}  // namespace kx::demo::test
