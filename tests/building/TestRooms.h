#pragma once

#include "building/BoxBuilder.h"

#include "level/Level.h"

#include <memory>
#include <utility>
#include <vector>

namespace kx::building::test {

/// A box of the given extent with every side a plain wall.
inline BoxSector Room(Vec3 min, Vec3 max) {
  BoxSector room;
  room.min = min;
  room.max = max;
  return room;
}

/// The level of boxes of the given extents, every side a plain wall, with the first box joined
/// to each of the others.
inline std::unique_ptr<level::Level> Rooms(const std::vector<std::pair<Vec3, Vec3>>& boxes) {
  BoxBuilder builder;
  for (const auto& [min, max] : boxes) builder.AddSector(Room(min, max));
  for (int b = 1; b < static_cast<int>(boxes.size()); ++b) builder.Join(0, b);
  auto level = std::make_unique<level::Level>();
  level->materials.count = 1;
  level->materials[0] = {"wall.mat", 1, 1};
  builder.Build(*level);
  return level;
}

/// Two rooms: a unit cube and a smaller box against its east side, reaching its floor, so that
/// the opening between them cuts the cube's east wall and adds two corners to its floor.
inline std::unique_ptr<level::Level> TwoRooms() {
  return Rooms({{{0, 0, 0}, {1, 1, 1}}, {{1, 0.25, 0}, {2, 0.75, 0.5}}});
}

}  // namespace kx::building::test
