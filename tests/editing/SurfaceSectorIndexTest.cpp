#include "support/MapTestLevel.h"

#include "editing/SurfaceSectorIndex.h"

#include <gtest/gtest.h>
#include <vector>

namespace kx::editing {
namespace {

// What the index lists is checked through the sector picks; these are the cases it refuses.
TEST(SurfaceSectorIndexTest, IsNotUsedOnceTheLevelNoLongerMatchesIt) {
  test::MapTestLevel built;
  built.Square(0, 0, 1, 1);
  built.Sector(0, 1);
  const SurfaceSectorIndex index(built.level());
  EXPECT_TRUE(index.IsUsableFor(built.level()));
  EXPECT_EQ(std::vector<int>(index.SectorsOf(0).begin(), index.SectorsOf(0).end()),
            std::vector<int>{0});
  EXPECT_FALSE(SurfaceSectorIndex().IsUsableFor(built.level()));
  built.Square(0, 0, 1, 1);
  EXPECT_FALSE(index.IsUsableFor(built.level()));
}

TEST(SurfaceSectorIndexTest, GivesUpRatherThanHoldSectorsThatEachCoverEverything) {
  test::MapTestLevel built;
  built.level().surfaces.count = 1000;
  for (int c = 0; c < 2048; ++c) built.Sector(0, 1000);  // 2 million entries
  const SurfaceSectorIndex index(built.level());
  EXPECT_FALSE(index.IsUsableFor(built.level()));
  EXPECT_TRUE(index.SectorsOf(0).empty());
}

}  // namespace
}  // namespace kx::editing
