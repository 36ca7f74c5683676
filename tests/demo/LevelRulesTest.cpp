#include "LevelRules.h"
#include "TestRooms.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::demo {
namespace {

using test::SurfacesFacing;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::string Str(int value) {
  return std::to_string(value);
}

// The two rooms of TwoRooms with a template and a crate standing in the cube.
std::unique_ptr<level::Level> Furnished() {
  auto level = test::TwoRooms();
  level->templates.count = 1;
  level->templates[0] = {"crate", "none", "model3d=crate.3do", -1};
  level->things.count = 1;
  level->things[0].templateName = "Crate";  // names are matched without regard to case
  level->things[0].name = "crate";
  level->things[0].x = 0.5f;
  level->things[0].y = 0.5f;
  level->things[0].z = 0.1f;
  level->things[0].sector = 0;
  return level;
}

// The surface of sector s that holds adjoin a.
int AdjoinSurface(const level::Level& level, int a) {
  for (int i = 0; i < level.surfaces.count; ++i) {
    if (level.surfaces[i].adjoin == a) return i;
  }
  return -1;
}

TEST(LevelRulesTest, FindsNothingWrongWithAWellBuiltLevel) {
  EXPECT_THAT(CheckLevelRules(*Furnished()), IsEmpty());
}

TEST(LevelRulesTest, NormalMustAgreeWithTheWindingAndFaceIntoTheSector) {
  auto level = Furnished();
  const int east = SurfacesFacing(*level, 1, -1, 0, 0).at(0);
  level->normals[static_cast<std::size_t>(east)] = {1, 0, 0};
  EXPECT_THAT(CheckLevelRules(*level),
              ElementsAre("surface " + Str(east) +
                              ": its normal 1.000000 0.000000 0.000000 disagrees with its corners' "
                              "winding -1.000000 0.000000 0.000000",
                          HasSubstr("sector 1 is not convex, or surface " + Str(east) +
                                    " faces out of it: vertex ")));
}

TEST(LevelRulesTest, ReversedCornersLeaveTheSectorOpenAtEveryEdge) {
  auto level = Furnished();
  const int east = SurfacesFacing(*level, 1, -1, 0, 0).at(0);
  auto& surface = level->surfaces[east];
  std::reverse(surface.vertices.begin(), surface.vertices.begin() + surface.nverts);
  const auto problems = CheckLevelRules(*level);
  EXPECT_THAT(problems, Contains("surface " + Str(east) +
                                 ": its normal -1.000000 0.000000 0.000000 disagrees with its "
                                 "corners' winding 1.000000 0.000000 0.000000"));
  EXPECT_EQ(
      std::count_if(problems.begin(), problems.end(),
                    [](const std::string& p) { return p.find("runs the same way") != p.npos; }),
      4);
}

TEST(LevelRulesTest, SectorMustBeClosed) {
  auto level = Furnished();
  level->sectors[1].nsurfaces -= 1;  // drop its last surface
  const int dropped = level->sectors[1].firstsurface + level->sectors[1].nsurfaces;
  const auto problems = CheckLevelRules(*level);
  EXPECT_THAT(problems, Contains("surface " + Str(dropped) + " belongs to no sector"));
  EXPECT_THAT(problems, Contains(HasSubstr("sector 1 is not closed: edge ")));
}

TEST(LevelRulesTest, SurfacesMustBePlanar) {
  auto level = Furnished();
  // The small room's far top corner, pulled out of the planes of its three sides.
  for (int v = 0; v < level->vertices.count; ++v) {
    auto& vertex = level->vertices[v];
    if (vertex.x == 2 && vertex.y == 0.75f && vertex.z == 0.5f) vertex = {2.1f, 0.8f, 0.6f, {}};
  }
  const auto problems = CheckLevelRules(*level);
  for (const auto& side : {SurfacesFacing(*level, 1, -1, 0, 0), SurfacesFacing(*level, 1, 0, -1, 0),
                           SurfacesFacing(*level, 1, 0, 0, -1)}) {
    EXPECT_THAT(problems, Contains(HasSubstr("surface " + Str(side.at(0)) + " is not planar")));
  }
  EXPECT_THAT(problems, Contains(HasSubstr("sector 1: its bound box is not the box around")));
}

TEST(LevelRulesTest, SurfacesMustBeConvexAndWoundOnce) {
  level::Level level;
  // An arrow head: its third corner turns the other way.
  const std::vector<std::array<float, 2>> arrow{{0, 0}, {2, 1}, {1, 1}, {1, 2}};
  // A five-pointed star: every turn goes the same way, but it winds round twice.
  std::vector<std::array<float, 2>> star;
  for (int k = 0; k < 5; ++k) {
    const double angle = 2 * 3.14159265358979 * (2 * k) / 5;
    star.push_back({static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))});
  }
  int v = 0;
  for (const auto& shape : {arrow, star}) {
    auto& surface = level.surfaces[level.surfaces.count];
    level.normals[static_cast<std::size_t>(level.surfaces.count)] = {0, 0, 1};
    ++level.surfaces.count;
    surface.adjoin = -1;
    surface.mat = -1;
    surface.nverts = static_cast<std::int32_t>(shape.size());
    for (std::size_t c = 0; c < shape.size(); ++c) {
      level.vertices[v] = {shape[c][0], shape[c][1], 0, {}};
      surface.vertices[c] = {v++, 0};
    }
  }
  level.vertices.count = v;
  level.texturevertices.count = 1;
  EXPECT_THAT(
      CheckLevelRules(level),
      ElementsAre("surface 0 is not convex at corner 2", "surface 1 winds around more than once",
                  "surface 0 belongs to no sector", "surface 1 belongs to no sector"));
}

TEST(LevelRulesTest, SectorsKeepTheirBoxCentreAndRadius) {
  auto level = Furnished();
  level->sectors[1].radius = 1;
  level->sectors[1].center[1] = 0.6f;
  EXPECT_THAT(CheckLevelRules(*level),
              ElementsAre("sector 1: its centre 1.500000 0.600000 0.250000 is not the mean of its "
                          "vertices 1.500000 0.500000 0.250000",
                          "sector 1: its radius 1.000000 is not the distance to its farthest "
                          "vertex 0.659545"));
}

TEST(LevelRulesTest, AdjoinsComeInMirroredPairsOfCoincidingSurfaces) {
  {
    auto level = Furnished();
    level->adjoins[1].mirror = 1;
    const int surface = AdjoinSurface(*level, 1);
    EXPECT_THAT(CheckLevelRules(*level),
                ElementsAre("adjoin 0: its mirror 1 points back to 1",
                            "adjoin 1 leads back into its own sector 1",
                            "adjoin 1: surface " + Str(surface) + " and its mirror's surface " +
                                Str(surface) + " do not coincide"));
  }
  {
    auto level = Furnished();
    level->adjoins[0].mirror = 2;
    EXPECT_THAT(CheckLevelRules(*level),
                ElementsAre("adjoin 0: its mirror 2 is beyond the 2 adjoins",
                            "adjoin 1: its mirror 0 points back to 2"));
  }
  {
    // The small room's opening moved to its far side, which does not meet the cube's.
    auto level = Furnished();
    const int opening = AdjoinSurface(*level, 1);
    const int far = SurfacesFacing(*level, 1, -1, 0, 0).at(0);
    std::swap(level->surfaces[opening].adjoin, level->surfaces[far].adjoin);
    EXPECT_THAT(CheckLevelRules(*level),
                ElementsAre("adjoin 0: surface " + Str(AdjoinSurface(*level, 0)) +
                                " and its mirror's surface " + Str(far) + " do not coincide",
                            "adjoin 1: surface " + Str(far) + " and its mirror's surface " +
                                Str(AdjoinSurface(*level, 0)) + " do not coincide"));
  }
  {
    auto level = Furnished();
    level->surfaces[SurfacesFacing(*level, 1, -1, 0, 0).at(0)].adjoin = 1;
    EXPECT_THAT(CheckLevelRules(*level),
                Contains("adjoin 1 is used by surfaces " + Str(AdjoinSurface(*level, 1)) + " and " +
                         Str(SurfacesFacing(*level, 1, -1, 0, 0).at(0))));
  }
}

TEST(LevelRulesTest, ThingsStandInsideTheirSectorAndComeFromATemplate) {
  auto level = Furnished();
  level->things[0].x = 1.5f;
  EXPECT_THAT(
      CheckLevelRules(*level),
      ElementsAre("thing 0 (crate) at 1.500000 0.500000 0.100000 is not inside its sector 0"));
  level->things[0].sector = 1;
  EXPECT_THAT(CheckLevelRules(*level), IsEmpty());
  level->templates.count = 0;
  level->things[0].sector = 5;
  EXPECT_THAT(CheckLevelRules(*level),
              ElementsAre("thing 0 (crate): no template is named Crate",
                          "thing 0 (crate): sector 5 is beyond the 2 sectors"));
}

}  // namespace
}  // namespace kx::demo
