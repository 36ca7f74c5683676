#include "building/BoxBuilder.h"
#include "building/LevelRules.h"
#include "building/TestRooms.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <tuple>

namespace kx::building {
namespace {

using test::Room;
using ::testing::IsEmpty;
using ::testing::ThrowsMessage;

TEST(BoxBuilderTest, JoinsTwoBoxesWithAMirroredPairOfOpeningsOverTheirCommonPart) {
  const auto level = test::TwoRooms();
  EXPECT_THAT(CheckLevelRules(*level), IsEmpty());
  // The cube: five whole sides and its east side cut into three walls around the opening.
  EXPECT_EQ(level->sectors[0].nsurfaces, 9);
  EXPECT_EQ(level->sectors[1].nsurfaces, 6);
  ASSERT_EQ(level->adjoins.count, 2);
  EXPECT_EQ(level->adjoins[0].flags, 0x7u);
  for (int i = 0; i < level->surfaces.count; ++i) {
    // An opening is neither drawn nor collides; a wall is both.
    const auto& surface = level->surfaces[i];
    EXPECT_EQ(surface.geo, surface.adjoin == -1 ? 4 : 0) << "surface " << i;
    EXPECT_EQ(surface.surfflags, surface.adjoin == -1 ? 0x4u : 0u) << "surface " << i;
  }
}

TEST(BoxBuilderTest, OpeningsSideBySideShareTheEdgeBetweenThemButMayNotOverlap) {
  const auto level =
      test::Rooms({{{0, 0, 0}, {1, 1, 1}}, {{1, 0, 0}, {2, 0.5, 0.5}}, {{1, 0.5, 0}, {2, 1, 0.5}}});
  EXPECT_THAT(CheckLevelRules(*level), IsEmpty());
  EXPECT_EQ(level->adjoins.count, 4);
  EXPECT_THAT(
      [] {
        test::Rooms({{{0, 0, 0}, {1, 1, 1}}, {{1, 0, 0}, {2, 0.6, 1}}, {{1, 0.4, 0}, {2, 1, 1}}});
      },
      ThrowsMessage<std::logic_error>("two openings overlap on one side of a sector"));
}

TEST(BoxBuilderTest, RefusesBoxesThatCannotBeJoinedOrHaveNoVolume) {
  BoxBuilder builder;
  builder.AddSector(Room({0, 0, 0}, {1, 1, 1}));
  builder.AddSector(Room({3, 0, 0}, {4, 1, 1}));
  builder.AddSector(Room({1, 1, 0}, {2, 2, 1}));  // meets the first along an edge only
  builder.AddSector(Room({1, 0, 0}, {2, 1, 1}));
  builder.Join(0, 3);
  const std::tuple<int, int, std::string> refused[] = {
      {0, 1, "sectors 0 and 1 do not touch over an area"},
      {0, 2, "sectors 0 and 2 do not touch over an area"},
      {0, 0, "cannot join sectors 0 and 0"},
      {0, 4, "cannot join sectors 0 and 4"},
      {3, 0, "sectors 3 and 0 are already joined"},
  };
  for (const auto& [a, b, text] : refused) {
    EXPECT_THAT([&] { builder.Join(a, b); }, ThrowsMessage<std::invalid_argument>(text));
  }
  EXPECT_THAT(
      [&] {
        builder.AddSector(Room({0, 0, 0}, {1, 0, 1}));
      },
      ThrowsMessage<std::invalid_argument>("sector 4 has no volume"));
}

}  // namespace
}  // namespace kx::building
