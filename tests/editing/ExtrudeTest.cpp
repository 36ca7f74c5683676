#include "editing/Extrude.h"

#include "BuildingFixture.h"
#include "building/BoxBuilder.h"
#include "editing/DuplicateThings.h"
#include "editing/RecordMove.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gmock/gmock.h>

namespace kx::editing {
namespace {

using mapview::EditMode;
using mapview::View;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class ExtrudeTest : public test::BuildingTest {
 public:
  Extrusion ExtrudeStep(int surface, double distance) {
    LevelChange change(*level, history, "Extrude Surface");
    const Extrusion made = ExtrudeSurface(change, surface, distance);
    change.Commit();
    return made;
  }
  // The small room's far wall, leaning back: its top edge moved half a unit east.
  void LeanTheFarWall() {
    RecordMove move(*level, history,
                    {EditMode::Vertex, {VertexAt(2, 0.25f, 0.5f), VertexAt(2, 0.75f, 0.5f)}},
                    View::Front);
    move.Place({0.5, 0});
    move.Finish();
  }
  std::vector<int> Corners(int surface) const {
    const auto& s = level->surfaces[surface];
    std::vector<int> corners;
    for (int c = 0; c < s.nverts; ++c) corners.push_back(s.vertices[static_cast<std::size_t>(c)].vertex);
    return corners;
  }
  // Expects the opening between surface and the new sector's surface to be a mirrored pair of
  // adjoins over the same corners, wound the other way.
  void ExpectMirroredOpening(int surface, const Extrusion& made) const {
    const int mine = level->surfaces[surface].adjoin;
    ASSERT_GE(mine, 0);
    const int theirs = level->adjoins[mine].mirror;
    EXPECT_EQ(level->surfaces[made.opening].adjoin, theirs);
    EXPECT_EQ(level->adjoins[theirs].mirror, mine);
    EXPECT_EQ(level->adjoins[mine].flags, building::kOpenAdjoinFlags);
    EXPECT_EQ(level->adjoins[theirs].flags, building::kOpenAdjoinFlags);
    std::vector<int> there = Corners(made.opening);
    std::reverse(there.begin(), there.end());
    std::vector<int> here = Corners(surface);
    std::rotate(here.begin(), std::find(here.begin(), here.end(), there.front()), here.end());
    EXPECT_EQ(here, there);
  }
};

TEST_F(ExtrudeTest, AnAxisAlignedWallBecomesAnOpeningIntoANewRoomThatKeepsEveryRule) {
  const int wall = WallOf(0, 1, 0, 0);  // the cube's west wall, at x 0
  auto& cube = level->sectors[0];
  cube.ambientlight = 0.7f;
  cube.colormap = 0;
  cube.tint = {0.1f, 0.2f, 0.3f};
  level->surfaces[wall].surfflags = 0x4;
  level->surfaces[wall].geo = 4;
  level->surfaces[wall].tex = 3;
  const auto before = std::make_unique<level::Level>(*level);

  const Extrusion made = ExtrudeStep(wall, 0.5);

  EXPECT_THAT(Problems(), IsEmpty());
  ExpectMirroredOpening(wall, made);
  // Appended, so every record that was there keeps its index and, but for the opened wall,
  // its values.
  EXPECT_EQ(made.sector, before->sectors.count);
  EXPECT_EQ(level->sectors.count, before->sectors.count + 1);
  EXPECT_EQ(level->surfaces.count, before->surfaces.count + 6);
  EXPECT_EQ(level->vertices.count, before->vertices.count + 4);
  EXPECT_EQ(level->adjoins.count, before->adjoins.count + 2);
  for (int i = 0; i < before->surfaces.count; ++i) {
    if (i != wall) {
      EXPECT_EQ(level->surfaces[i], before->surfaces[i]) << i;
    }
  }
  for (int v = 0; v < before->vertices.count; ++v) EXPECT_EQ(level->vertices[v], before->vertices[v]);
  for (int s = 0; s < before->sectors.count; ++s) EXPECT_EQ(level->sectors[s], before->sectors[s]);
  for (int a = 0; a < before->adjoins.count; ++a) EXPECT_EQ(level->adjoins[a], before->adjoins[a]);

  const level::Sector& room = level->sectors[made.sector];
  EXPECT_EQ(room.boundbox, (std::array<float, 6>{-0.5f, 0, 0, 0, 1, 1}));
  EXPECT_EQ(room.ambientlight, 0.7f);
  EXPECT_EQ(room.tint, cube.tint);
  const level::Surface& far = level->surfaces[made.farWall];
  EXPECT_EQ(far.surfflags, 0x4u);
  EXPECT_EQ(far.geo, 4);
  EXPECT_EQ(far.tex, 3);
  EXPECT_EQ(level->surfaces[made.opening].geo, 0);  // an opening is not drawn
  test::ExpectDirection(level->normals[static_cast<std::size_t>(made.farWall)], 1, 0, 0);
  // 320 texels per unit along each edge of the unit square far wall.
  for (int c = 0; c < far.nverts; ++c) {
    const auto& a = level->texturevertices[far.vertices[static_cast<std::size_t>(c)].texvertex];
    const auto& b =
        level->texturevertices[far.vertices[static_cast<std::size_t>((c + 1) % far.nverts)].texvertex];
    EXPECT_NEAR(std::hypot(a.u - b.u, a.v - b.v), 320, 1e-3) << c;
  }
}

TEST_F(ExtrudeTest, ASlopedWallGrowsARoomAlongItsNormal) {
  LeanTheFarWall();
  int wall = -1;  // the far wall, now facing west and up
  for (int i = level->sectors[1].firstsurface; i < level->surfaces.count && wall < 0; ++i) {
    const auto& n = level->normals[static_cast<std::size_t>(i)];
    if (n.x < -0.5f && n.z > 0.5f) wall = i;
  }
  ASSERT_GE(wall, 0);
  const std::vector<int> corners = Corners(wall);

  const Extrusion made = ExtrudeStep(wall, 0.25);

  EXPECT_THAT(Problems(), IsEmpty());
  ExpectMirroredOpening(wall, made);
  EXPECT_EQ(level->normals[static_cast<std::size_t>(made.farWall)],
            level->normals[static_cast<std::size_t>(wall)]);
  // Each far corner lies 0.25 behind its near corner, against the normal.
  const auto far = Corners(made.farWall);
  for (std::size_t c = 0; c < corners.size(); ++c) {
    const auto& n = level->vertices[corners[c]];
    const auto& f = level->vertices[far[c]];
    EXPECT_NEAR(f.x - n.x, 0.25 * std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(f.y - n.y, 0, 1e-6);
    EXPECT_NEAR(f.z - n.z, -0.25 * std::sqrt(0.5), 1e-6);
  }
}

TEST_F(ExtrudeTest, RefusesWhatCannotBeExtrudedAndDistancesThatAreNoLength) {
  const int wall = WallOf(0, 1, 0, 0);
  int opening = -1;
  for (int i = 0; i < level->surfaces.count && opening < 0; ++i) {
    if (level->surfaces[i].adjoin != -1) opening = i;
  }
  const struct {
    const char* what;
    std::function<void(level::Level&)> make;
    int surface;
    const char* refusal;
  } cases[] = {
      {"an opening", [](level::Level&) {}, opening, "already has an adjoin"},
      {"a surface out of the table", [](level::Level&) {}, 9999, "is not in the level"},
      {"no room for surfaces",
       [](level::Level& l) { l.surfaces.count = l.surfaces.Capacity() - 5; }, wall,
       "needs 6 more surfaces"},
      {"no room for vertices", [](level::Level& l) { l.vertices.count = l.vertices.Capacity(); },
       wall, "more vertices"},
      {"no room for a sector", [](level::Level& l) { l.sectors.count = l.sectors.Capacity(); },
       wall, "more sectors"},
      {"no room for adjoins", [](level::Level& l) { l.adjoins.count = l.adjoins.Capacity() - 1; },
       wall, "more adjoins"},
  };
  for (const auto& c : cases) {
    auto copy = std::make_unique<level::Level>(*level);
    c.make(*copy);
    const auto refusal = ExtrudeRefusal(*copy, c.surface);
    ASSERT_TRUE(refusal) << c.what;
    EXPECT_THAT(*refusal, HasSubstr(c.refusal)) << c.what;
  }
  EXPECT_FALSE(ExtrudeRefusal(*level, wall));
  for (const double distance : {0.0, -1.0, std::nan(""), double{INFINITY}}) {
    EXPECT_TRUE(DistanceRefusal(distance)) << distance;
  }
  EXPECT_FALSE(DistanceRefusal(0.001));
}

TEST_F(ExtrudeTest, DuplicatesAreAppendedOneStepAsideInTheSectorThatHoldsThem) {
  level->things.count = 2;
  for (const auto& [t, x] : {std::pair{0, 0.2f}, {1, 0.95f}}) {
    level->things[t].x = x;
    level->things[t].y = 0.5f;
    level->things[t].name = "crate";
    level->things[t].sector = 0;
    level->things[t].marks.empty = 0;
  }
  level->things.count = level->things.Capacity() - 1;
  EXPECT_THAT(*DuplicateRefusal(*level, 2), HasSubstr("room for 1"));
  level->things.count = 2;

  LevelChange change(*level, history, DuplicateStepName(2));
  const std::vector<int> copies = DuplicateThings(change, {0, 1}, View::Right, 0.1);
  change.Commit();
  EXPECT_EQ(copies, (std::vector<int>{2, 3}));
  EXPECT_EQ(history.UndoName(), "Duplicate 2 things");
  // Aside along the Right view's horizontal axis, y; both copies stay in the cube.
  EXPECT_FLOAT_EQ(level->things[2].y, 0.6f);
  EXPECT_FLOAT_EQ(level->things[3].x, 0.95f);
  EXPECT_EQ(level->things[3].sector, 0);
  LevelChange east(*level, history, DuplicateStepName(1));
  const std::vector<int> through = DuplicateThings(east, {1}, View::Top, 0.1);
  east.Commit();
  EXPECT_EQ(level->things[through[0]].sector, 1);  // x 1.05: in the small room
}

TEST_F(ExtrudeTest, UndoOfEveryBuildingStepGivesTheSavedLevelBackByteForByte) {
  level->things.count = 1;
  level->things[0] = {};
  level->things[0].marks.empty = 0;
  level->things[0].x = level->things[0].y = 0.5f;
  const struct {
    const char* name;
    std::function<void(ExtrudeTest&)> step;
  } steps[] = {
      {"Move 2 vertices", [](ExtrudeTest& t) { t.LeanTheFarWall(); }},
      {"Move 1 thing",
       [](ExtrudeTest& t) {
         RecordMove move(*t.level, t.history, {EditMode::Thing, {0}}, View::Top);
         move.Place({0.75, 0});
         move.Finish();
       }},
      {"Extrude Surface", [](ExtrudeTest& t) { t.ExtrudeStep(t.WallOf(0, 1, 0, 0), 1); }},
      {"Duplicate 1 thing",
       [](ExtrudeTest& t) {
         LevelChange change(*t.level, t.history, DuplicateStepName(1));
         DuplicateThings(change, {0}, View::Top, 0.1);
         change.Commit();
       }},
  };
  for (const auto& s : steps) {
    const std::string before = Saved();
    s.step(*this);
    const std::string after = Saved();
    EXPECT_NE(after, before) << s.name;
    EXPECT_EQ(history.UndoName(), s.name);
    history.Undo(*level);
    EXPECT_EQ(Saved(), before) << s.name;
    history.Redo(*level);
    EXPECT_EQ(Saved(), after) << s.name;
  }
  EXPECT_EQ(level->things[0].sector, 1);  // the thing moved into the small room
}

}  // namespace
}  // namespace kx::editing
