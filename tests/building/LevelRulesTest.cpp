#include "building/LevelRules.h"
#include "building/TestRooms.h"

#include <algorithm>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::building {
namespace {

using level::Level;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// The two rooms of TwoRooms with a crate standing in the cube.
std::unique_ptr<Level> Furnished() {
  auto level = test::TwoRooms();
  level->templates.count = 1;
  level->templates[0] = {"crate", "none", "model3d=crate.3do", -1};
  level->things.count = 1;
  auto& crate = level->things[0];
  crate.templateName = "Crate";  // names are matched without regard to case
  crate.name = "crate";
  crate.x = 0.5f;
  crate.y = 0.5f;
  crate.z = 0.1f;
  return level;
}

// The small room's far wall: its one surface that faces back along -x.
int FarWall(const Level& level) {
  for (int i = level.sectors[1].firstsurface; i < level.surfaces.count; ++i) {
    if (level.normals[static_cast<std::size_t>(i)].x == -1) return i;
  }
  return -1;
}

// Moves the small room's far top corner, which its far wall, north wall and ceiling share.
void MoveFarTopCorner(Level& level, float y, float z) {
  for (int v = 0; v < level.vertices.count; ++v) {
    auto& p = level.vertices[v];
    if (p.x == 2 && p.y == 0.75f && p.z == 0.5f) p = {p.x, y, z, {}};
  }
}

TEST(LevelRulesTest, NamesEveryBrokenRuleAndNothingInAWellBuiltLevel) {
  EXPECT_THAT(CheckLevelRules(*Furnished()), IsEmpty());
  const struct {
    const char* fault;
    std::function<void(Level&)> breakIt;
    std::vector<std::string> problems;  // each a part of one line of the report
  } cases[] = {
      {"a normal turned out of its sector",
       [](Level& l) { l.normals[static_cast<std::size_t>(FarWall(l))].x = 1; },
       {"its normal 1.000000 0.000000 0.000000 disagrees with its corners' winding -1.000000",
        "sector 1 is not convex, or surface"}},
      {"a surface wound the wrong way",
       [](Level& l) {
         auto& wall = l.surfaces[FarWall(l)];
         std::reverse(wall.vertices.begin(), wall.vertices.begin() + wall.nverts);
       },
       {"runs the same way in surfaces"}},
      {"a corner pushed into its surface",
       [](Level& l) { MoveFarTopCorner(l, 0.4f, 0.2f); },
       {"surface " + std::to_string(FarWall(*test::TwoRooms())) + " is not convex at corner"}},
      {"a sector without its last surface",
       [](Level& l) { l.sectors[1].nsurfaces -= 1; },
       {"belongs to no sector", "sector 1 is not closed: edge "}},
      {"a corner pulled out of its surfaces' planes",
       [](Level& l) { MoveFarTopCorner(l, 0.8f, 0.6f); },
       {"is not planar: corner", "sector 1: its bound box is not the box around its vertices"}},
      {"a sector's centre and radius moved",
       [](Level& l) {
         l.sectors[1].radius = 1;
         l.sectors[1].center[1] = 0.6f;
       },
       {"sector 1: its centre 1.500000 0.600000 0.250000 is not the mean of its vertices "
        "1.500000 0.500000 0.250000",
        "sector 1: its radius 1.000000 is not the distance to its farthest vertex 0.659545"}},
      {"a mirror pointing at itself",
       [](Level& l) { l.adjoins[1].mirror = 1; },
       {"adjoin 0: its mirror 1 points back to 1", "adjoin 1 leads back into its own sector 1"}},
      {"a mirror beyond the adjoins",
       [](Level& l) { l.adjoins[0].mirror = 2; },
       {"adjoin 0: its mirror 2 is beyond the 2 adjoins"}},
      {"an opening moved to a wall its mirror does not meet",
       [](Level& l) {
         l.surfaces[l.sectors[1].firstsurface].adjoin = -1;  // the small room's west side
         l.surfaces[FarWall(l)].adjoin = 1;
       },
       {"do not coincide"}},
      {"a thing outside its sector",
       [](Level& l) { l.things[0].x = 1.5f; },
       {"thing 0 (crate) at 1.500000 0.500000 0.100000 is not inside its sector 0"}},
      {"a thing of no template",
       [](Level& l) { l.templates.count = 0; },
       {"thing 0 (crate): no template is named Crate"}},
  };
  for (const auto& [fault, breakIt, problems] : cases) {
    SCOPED_TRACE(fault);
    const auto level = Furnished();
    breakIt(*level);
    const auto found = CheckLevelRules(*level);
    for (const auto& problem : problems) EXPECT_THAT(found, Contains(HasSubstr(problem)));
  }
}

TEST(LevelRulesTest, AScopedCheckReportsOnlyTheNamedRecordsAndSaysWhichRecordEachIsAbout) {
  auto level = Furnished();
  const int wall = FarWall(*level);
  level->normals[static_cast<std::size_t>(wall)].x = 1;  // breaks the wall and its sector
  level->things[0].x = 5;                                // out of its sector
  const auto all = FindRuleProblems(*level);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].record, RuleRecord::Surface);
  EXPECT_EQ(all[0].index, wall);
  EXPECT_EQ(all[1].record, RuleRecord::Sector);
  EXPECT_EQ(all[1].index, 1);
  EXPECT_EQ(all[2].record, RuleRecord::Thing);
  EXPECT_EQ(all[2].index, 0);
  const struct {
    RuleScope scope;
    std::vector<RuleProblem> expected;
  } cases[] = {
      {{{wall}, {}, {}}, {all[0]}},
      {{{}, {1}, {0}}, {all[1], all[2]}},
      {{{}, {0}, {}}, {}},
      {{{0, 1, 2}, {0}, {}}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(FindRuleProblems(*level, &c.scope), c.expected);
}

}  // namespace
}  // namespace kx::building
