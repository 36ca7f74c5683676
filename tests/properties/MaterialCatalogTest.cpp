#include "properties/PropertyTestLevel.h"
#include "support/FakeEditorWindow.h"
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
using Box = test::FakeUi::Box;

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

class AddMaterialTest : public ::testing::Test {
 protected:
  AddMaterialTest() {
    window.editor = &editor;
    editor.Level() = *test::PropertyTestLevel();
  }

  test::FakeUi ui;
  test::FakeEditorWindow window;
  editing::Editor editor{ui, window};
};

TEST_F(AddMaterialTest, AppendsANewNameWithTilesOfOneAsOneStep) {
  const AddedMaterial added = AddMaterial(editor, "brick.mat", ui);
  EXPECT_EQ(added.outcome, AddedMaterial::Outcome::Added);
  EXPECT_EQ(added.index, 2);
  EXPECT_EQ(editor.Level().materials.count, 3);
  EXPECT_EQ(editor.Level().materials[2], (level::Material{"brick.mat", 1.0f, 1.0f}));
  EXPECT_EQ(editor.History().UndoName(), "Add Material");
  editor.Undo();
  EXPECT_EQ(editor.Level().materials.count, 2);
}

TEST_F(AddMaterialTest, ANameAlreadyListedIsFoundNotAddedTwice) {
  const AddedMaterial found = AddMaterial(editor, "WALL.MAT", ui);
  EXPECT_EQ(found.outcome, AddedMaterial::Outcome::AlreadyListed);
  EXPECT_EQ(found.index, 1);
  EXPECT_EQ(editor.Level().materials.count, 2);
  EXPECT_FALSE(editor.History().CanUndo());
}

TEST_F(AddMaterialTest, AFullTableIsToldAndNothingChanges) {
  auto& materials = editor.Level().materials;
  for (int i = materials.count; i < materials.Capacity(); ++i) {
    materials[i] = {"m" + std::to_string(i) + ".mat", 1, 1};
  }
  materials.count = materials.Capacity();
  const level::Level before = editor.Level();
  const AddedMaterial added = AddMaterial(editor, "brick.mat", ui);
  EXPECT_EQ(added.outcome, AddedMaterial::Outcome::TableFull);
  EXPECT_EQ(editor.Level(), before);
  EXPECT_THAT(ui.boxes,
              ElementsAre(Box{platform::BoxKind::Warning,
                              "The level's materials table is full (1024 materials): brick.mat "
                              "was not added."}));
  // A name it holds is still found.
  EXPECT_EQ(AddMaterial(editor, "m1000.mat", ui).index, 1000);
}

}  // namespace
}  // namespace kx::properties
