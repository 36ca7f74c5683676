#include "BoxBuilder.h"
#include "LevelRules.h"
#include "TestRooms.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace kx::demo {
namespace {

using test::CornerSet;
using test::Room;
using test::SurfacesFacing;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

using Corners = std::set<std::tuple<float, float, float>>;

float Area(const level::Level& level, int surface) {
  std::vector<Vec3> corners;
  const auto& s = level.surfaces[surface];
  for (int c = 0; c < s.nverts; ++c) {
    const auto& v = level.vertices[s.vertices[static_cast<std::size_t>(c)].vertex];
    corners.push_back({v.x, v.y, v.z});
  }
  return static_cast<float>(Length(NewellNormal(corners)) / 2);
}

TEST(BoxBuilderTest, JoinsTwoBoxesWithMirroredAdjoinsOverTheirCommonPart) {
  const auto level = test::TwoRooms();
  EXPECT_THAT(CheckLevelRules(*level), IsEmpty());
  // The cube: five whole sides and an east side cut into three walls around the opening; the
  // small box: six whole sides, its west side the opening.
  EXPECT_EQ(level->sectors.count, 2);
  EXPECT_EQ(level->sectors[0].nsurfaces, 9);
  EXPECT_EQ(level->sectors[1].nsurfaces, 6);
  // The cube's 8 corners, the opening's 4, the 2 where the wall above the opening meets the
  // walls beside it, and the small box's 4 far corners.
  EXPECT_EQ(level->vertices.count, 18);

  ASSERT_EQ(level->adjoins.count, 2);
  EXPECT_EQ(level->adjoins[0].mirror, 1);
  EXPECT_EQ(level->adjoins[1].mirror, 0);
  EXPECT_EQ(level->adjoins[0].flags, 0x7u);
  const Corners opening{{1, 0.25f, 0}, {1, 0.75f, 0}, {1, 0.75f, 0.5f}, {1, 0.25f, 0.5f}};
  for (const int s : {0, 1}) {
    const auto& sector = level->sectors[s];
    int adjoins = 0;
    for (int i = sector.firstsurface; i < sector.firstsurface + sector.nsurfaces; ++i) {
      const auto& surface = level->surfaces[i];
      if (surface.adjoin == -1) {
        EXPECT_EQ(surface.geo, 4) << "surface " << i;
        continue;
      }
      ++adjoins;
      EXPECT_EQ(CornerSet(*level, i), opening) << "surface " << i;
      EXPECT_EQ(surface.geo, 0) << "an opening is not drawn";
      EXPECT_EQ(surface.surfflags, 0u) << "an opening does not collide";
      EXPECT_EQ(level->normals[static_cast<std::size_t>(i)].x, s == 0 ? -1.0f : 1.0f);
    }
    EXPECT_EQ(adjoins, 1) << "sector " << s;
  }
}

TEST(BoxBuilderTest, AddsTheOpeningsCornersToTheEdgesTheyLieOn) {
  const auto level = test::TwoRooms();
  const auto floor = SurfacesFacing(*level, 0, 0, 0, 1);
  ASSERT_THAT(floor, SizeIs(1));
  EXPECT_EQ(level->surfaces[floor[0]].nverts, 6);
  EXPECT_EQ(CornerSet(*level, floor[0]),
            (Corners{{0, 0, 0}, {1, 0, 0}, {1, 0.25f, 0}, {1, 0.75f, 0}, {1, 1, 0}, {0, 1, 0}}));
  // The wall above the opening spans the whole side; the opening's top corners cut its edge.
  const auto east = SurfacesFacing(*level, 0, -1, 0, 0);
  ASSERT_THAT(east, SizeIs(4));
  float area = 0;
  for (const int i : east) area += Area(*level, i);
  EXPECT_FLOAT_EQ(area, 1.0f);
}

TEST(BoxBuilderTest, SectorsKnowTheBoxAroundTheirVerticesTheirCentreAndRadius) {
  const auto level = test::TwoRooms();
  const auto& small = level->sectors[1];
  EXPECT_THAT(small.boundbox, ElementsAre(1, 0.25f, 0, 2, 0.75f, 0.5f));
  EXPECT_THAT(small.collidebox, ElementsAre(1, 0.25f, 0, 2, 0.75f, 0.5f));
  EXPECT_THAT(small.center, ElementsAre(1.5f, 0.5f, 0.25f));
  EXPECT_FLOAT_EQ(small.radius, 0.6123724f);  // half the diagonal of 1 x 0.5 x 0.5
  EXPECT_EQ(small.nverts, 8);
  // The cube's centre is the mean of its fourteen vertices, drawn towards the opening.
  const auto& cube = level->sectors[0];
  EXPECT_EQ(cube.nverts, 14);
  EXPECT_FLOAT_EQ(cube.center[0], 10.0f / 14);
  EXPECT_FLOAT_EQ(cube.center[1], 7.0f / 14);
  EXPECT_FLOAT_EQ(cube.center[2], 6.0f / 14);
}

TEST(BoxBuilderTest, FloorWithAHoleBecomesConvexPiecesAroundIt) {
  BoxBuilder builder;
  builder.AddSector(Room({0, 0, 0}, {1, 1, 1}));
  builder.AddSector(Room({0.25, 0.25, -1}, {0.75, 0.75, 0}));
  builder.Join(0, 1);
  const auto level = test::Build(builder);
  EXPECT_THAT(CheckLevelRules(*level), IsEmpty());
  const auto floor = SurfacesFacing(*level, 0, 0, 0, 1);
  ASSERT_THAT(floor, SizeIs(5));
  float solid = 0, open = 0;
  for (const int i : floor) (level->surfaces[i].adjoin == -1 ? solid : open) += Area(*level, i);
  EXPECT_FLOAT_EQ(solid, 0.75f);
  EXPECT_FLOAT_EQ(open, 0.25f);
  // The pit's ceiling is wholly the opening.
  EXPECT_THAT(SurfacesFacing(*level, 1, 0, 0, -1), SizeIs(1));
}

TEST(BoxBuilderTest, OpeningsSideBySideShareTheEdgeBetweenThem) {
  BoxBuilder builder;
  builder.AddSector(Room({0, 0, 0}, {1, 1, 1}));
  builder.AddSector(Room({1, 0, 0}, {2, 0.5, 0.5}));
  builder.AddSector(Room({1, 0.5, 0}, {2, 1, 0.5}));
  builder.Join(0, 1);
  builder.Join(0, 2);
  const auto level = test::Build(builder);
  EXPECT_THAT(CheckLevelRules(*level), IsEmpty());
  EXPECT_EQ(level->adjoins.count, 4);
}

TEST(BoxBuilderTest, RefusesBoxesThatCannotBeJoined) {
  BoxBuilder builder;
  builder.AddSector(Room({0, 0, 0}, {1, 1, 1}));
  builder.AddSector(Room({3, 0, 0}, {4, 1, 1}));
  builder.AddSector(Room({1, 1, 0}, {2, 2, 1}));  // meets the first along an edge only
  builder.AddSector(Room({1, 0, 0}, {2, 1, 1}));
  const auto refuses = [&](int a, int b, const std::string& text) {
    try {
      builder.Join(a, b);
      ADD_FAILURE() << "joined " << a << " and " << b;
    } catch (const std::invalid_argument& error) {
      EXPECT_EQ(std::string(error.what()), text);
    }
  };
  refuses(0, 1, "sectors 0 and 1 do not touch over an area");
  refuses(0, 2, "sectors 0 and 2 do not touch over an area");
  refuses(0, 0, "cannot join sectors 0 and 0");
  refuses(0, 4, "cannot join sectors 0 and 4");
  builder.Join(0, 3);
  refuses(3, 0, "sectors 3 and 0 are already joined");
  try {
    builder.AddSector(Room({0, 0, 0}, {1, 0, 1}));
    ADD_FAILURE() << "a flat box was added";
  } catch (const std::invalid_argument& error) {
    EXPECT_EQ(std::string(error.what()), "sector 4 has no volume");
  }
}

TEST(BoxBuilderTest, RefusesOverlappingOpeningsOnOneSide) {
  BoxBuilder builder;
  builder.AddSector(Room({0, 0, 0}, {1, 1, 1}));
  builder.AddSector(Room({1, 0, 0}, {2, 0.6, 1}));
  builder.AddSector(Room({1, 0.4, 0}, {2, 1, 1}));
  builder.Join(0, 1);
  builder.Join(0, 2);
  level::Level level;
  try {
    builder.Build(level);
    ADD_FAILURE() << "built";
  } catch (const std::logic_error& error) {
    EXPECT_EQ(std::string(error.what()), "two openings overlap on one side of a sector");
  }
}

}  // namespace
}  // namespace kx::demo
