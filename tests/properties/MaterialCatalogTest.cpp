#include "support/FakeUi.h"
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "properties/MaterialCatalog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::properties {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MaterialCatalogTest : public ::testing::Test {
 protected:
  resources::ResourcePaths Paths() const {
    return {dir.path() / "project", dir.path() / "game" / "resource" / "res2.gob"};
  }

  test::TempDir dir;
  test::FakeUi ui;
};

TEST_F(MaterialCatalogTest, ListsTheProjectsAndTheGamesMaterialsOnceEachInNameOrder) {
  dir.Write("project/mat/Wall.mat", "x");
  dir.Write("project/MAT/extra.MAT", "x");
  dir.Write("project/3do/mat/gun.mat", "x");
  dir.Write("project/mat/readme.txt", "x");
  dir.Write("project/mat/a name with blanks.mat", "x");
  dir.Write("project/mat/" + std::string(30, 'l') + ".mat", "x");  // 34 characters
  test::GobBuilder()
      .Entry("mat\\WALL.MAT", "x")
      .Entry("mat\\brick.mat", "x")
      .Entry("3do\\mat\\Crate.mat", "x")
      .Entry("mat\\sub\\deep.mat", "x")
      .Entry("misc\\cmp\\dflt.cmp", "x")
      .Entry("..\\mat\\evil.mat", "x")
      .WriteTo(Paths().res2Path);
  EXPECT_THAT(ListGameMaterials(Paths(), ui),
              ElementsAre("brick.mat", "Crate.mat", "extra.MAT", "gun.mat", "Wall.mat"));
  EXPECT_THAT(ui.boxes, IsEmpty());
}

TEST_F(MaterialCatalogTest, ADamagedGameArchiveIsToldAndTheProjectsMaterialsAreListedStill) {
  dir.Write("project/mat/wall.mat", "x");
  dir.Write("game/resource/res2.gob", "GOB \x14\0\0\0");
  EXPECT_THAT(ListGameMaterials(Paths(), ui), ElementsAre("wall.mat"));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, platform::BoxKind::Error);
  EXPECT_THAT(ui.boxes[0].text, ::testing::HasSubstr("res2.gob"));
  EXPECT_THAT(ListGameMaterials({}, ui), IsEmpty());
}

TEST(MaterialFilterTest, NarrowsToTheNamesHoldingTheTextWithLetterCaseIgnored) {
  const std::vector<std::string> names{"brick.mat", "Crate.mat", "dm_glow.mat", "glass.mat"};
  EXPECT_EQ(FilterNames(names, ""), names);
  EXPECT_THAT(FilterNames(names, "GL"), ElementsAre("dm_glow.mat", "glass.mat"));
  EXPECT_THAT(FilterNames(names, "crate"), ElementsAre("Crate.mat"));
  EXPECT_THAT(FilterNames(names, "xyz"), IsEmpty());
}

}  // namespace
}  // namespace kx::properties
