#include "support/MapTestLevel.h"

#include "editing/SurfaceSectorIndex.h"

#include <gtest/gtest.h>
#include <vector>

namespace kx::editing {
namespace {

std::vector<int> SectorsOf(const SurfaceSectorIndex& index, int surface) {
  const auto sectors = index.SectorsOf(surface);
  return {sectors.begin(), sectors.end()};
}

TEST(SurfaceSectorIndexTest, ListsTheSectorsOfEachSurfaceInTableOrderUntilTheLevelChanges) {
  test::MapTestLevel built;
  for (int i = 0; i < 6; ++i) built.Square(0, 0, 1, 1);
  built.Sector(2, 3);    // 2..4
  built.Sector(0, 2);    // 0..1
  built.Sector(4, 100);  // 4.., cut at the table's end
  built.Sector(-2, 3);   // 0 only
  built.Sector(3, 0);    // none
  const SurfaceSectorIndex index(built.level());
  ASSERT_TRUE(index.IsUsableFor(built.level()));
  EXPECT_EQ(SectorsOf(index, 0), (std::vector<int>{1, 3}));
  EXPECT_EQ(SectorsOf(index, 3), (std::vector<int>{0}));
  EXPECT_EQ(SectorsOf(index, 4), (std::vector<int>{0, 2}));
  EXPECT_EQ(SectorsOf(index, 5), (std::vector<int>{2}));
  EXPECT_TRUE(index.SectorsOf(6).empty());
  EXPECT_TRUE(index.SectorsOf(-1).empty());
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
