#pragma once

#include "building/LevelRules.h"
#include "building/TestRooms.h"

#include "editing/EditHistory.h"
#include "level/JklWriter.h"
#include "level/Level.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace kx::editing::test {

/// The two rooms of building::test::TwoRooms (a unit cube and a smaller box against its east
/// side, x 1 to 2, y 0.25 to 0.75, z 0 to 0.5) with a history, and ways to find their records.
class BuildingTest : public ::testing::Test {
 public:
  BuildingTest() : level(building::test::TwoRooms()) {}

  /// The surface of sector whose normal is (x, y, z) and that has no adjoin; -1 when none is.
  int WallOf(int sector, float x, float y, float z) const {
    const auto& s = level->sectors[sector];
    for (int i = s.firstsurface; i < s.firstsurface + s.nsurfaces; ++i) {
      const auto& n = level->normals[static_cast<std::size_t>(i)];
      if (level->surfaces[i].adjoin == -1 && n.x == x && n.y == y && n.z == z) return i;
    }
    return -1;
  }
  /// The vertex at (x, y, z); -1 when none is.
  int VertexAt(float x, float y, float z) const {
    for (int v = 0; v < level->vertices.count; ++v) {
      const auto& p = level->vertices[v];
      if (p.x == x && p.y == y && p.z == z) return v;
    }
    return -1;
  }
  /// What a save writes of the level.
  std::string Saved() const { return level::FormatLevel(*level, "jkl\\test.jkl", "fixed"); }
  std::vector<std::string> Problems() const { return building::CheckLevelRules(*level); }

  std::unique_ptr<level::Level> level;
  EditHistory history;
};

/// Expects a unit vector near (x, y, z).
inline void ExpectDirection(const level::SurfaceNormal& n, double x, double y, double z) {
  const double length = std::sqrt(x * x + y * y + z * z);
  EXPECT_NEAR(n.x, x / length, 1e-6);
  EXPECT_NEAR(n.y, y / length, 1e-6);
  EXPECT_NEAR(n.z, z / length, 1e-6);
}

}  // namespace kx::editing::test
