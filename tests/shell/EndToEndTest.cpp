#include "archive/GobDirectory.h"
#include "level/JklReader.h"
#include "mapview/Colour.h"
#include "project/RunInGame.h"
#include "shell/MainWindowFixture.h"
#include "shell/MapImage.h"
#include "shell/RubberBand.h"

#include <gmock/gmock.h>

namespace kx::shell::test {
namespace {

namespace fs = std::filesystem;
using mapview::EditMode;
using platform::BoxKind;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Box = kx::test::FakeUi::Box;

class EndToEndTest : public MainWindowTest {};

TEST_F(EndToEndTest, FromAUserArchiveThroughTheMapToTheGameFolder) {
  const fs::path game = dir.path() / "Games" / "Jedi Knight";
  fs::create_directories(game / "episode");
  WriteSettings("[Directories]\r\nJKDir=" + game.string() + "\r\n");
  Start();
  ui.boxes.clear();

  // New project: an archive with two levels; the chooser takes the second.
  NewProjectFrom("mylevel.gob", {"01abc.jkl", "02xyz.jkl"}, 1);
  EXPECT_THAT(ui.jklListsShown, ElementsAre(ElementsAre("01abc.jkl", "02xyz.jkl")));
  const fs::path project = ProgramDir() / "Projects" / "Level 02XYZ";
  ASSERT_EQ(window->Editor().Values().ProjectDir, project);
  EXPECT_EQ(window->Editor().Level().header.worldGravity, 2.0f);  // the second level
  ui.boxes.clear();  // the model is in neither the project nor the game

  // A click on surface 0 selects it; Shift takes it away; Ctrl makes another the only one.
  auto* map = Find<MapImage>("imgMap");
  QTest::mouseClick(map, Qt::LeftButton, {}, At(2, 2));
  EXPECT_EQ(Counter(), "1");
  EXPECT_EQ(BufferAt(1, 2), mapview::colours::kSelected.Rgb32());
  QTest::mouseClick(map, Qt::RightButton, Qt::ShiftModifier, At(2, 2));
  EXPECT_EQ(Counter(), "0");
  EXPECT_EQ(BufferAt(1, 2), mapview::colours::kLine.Rgb32());
  QTest::mouseClick(map, Qt::LeftButton, {}, At(2, 2));
  QTest::mouseClick(map, Qt::LeftButton, Qt::ControlModifier, At(4.5f, 1.5f));
  EXPECT_EQ(Counter(), "1");
  EXPECT_EQ(window->Editor().Level().surfaces[1].marks.selected, 1);

  // A rubber band around both surfaces, dragged up and to the left.
  auto* band = Find<RubberBand>("shpBox");
  QTest::mousePress(map, Qt::LeftButton, {}, At(5.5f, 0.5f));
  EXPECT_FALSE(band->isVisible());
  QTest::mouseMove(map, At(0.5f, 3.5f));
  EXPECT_TRUE(band->isVisible());
  EXPECT_EQ(band->geometry(), QRect(At(0.5f, 3.5f), At(5.5f, 0.5f)));
  QTest::mouseRelease(map, Qt::LeftButton, {}, At(0.5f, 3.5f));
  EXPECT_FALSE(band->isVisible());
  EXPECT_EQ(Counter(), "2");
  // With Shift the band takes surface 1 away again.
  QTest::mousePress(map, Qt::LeftButton, {}, At(3.8f, 2.2f));
  QTest::mouseMove(map, At(5.2f, 0.8f));
  QTest::mouseRelease(map, Qt::LeftButton, Qt::ShiftModifier, At(5.2f, 0.8f));
  EXPECT_EQ(Counter(), "1");
  EXPECT_EQ(window->Editor().Level().surfaces[0].marks.selected, 1);

  // Save writes the level as it is now, and the episode file.
  window->Editor().Level().header.worldGravity = 9.5f;
  Press(Button("btnSave"));
  level::Level saved;
  level::ReadLevel(saved, project / "jkl" / "02xyz.jkl", "02xyz.jkl", ui);
  EXPECT_EQ(saved.header.worldGravity, 9.5f);
  EXPECT_EQ(saved.surfaces.count, 2);
  EXPECT_THAT(kx::test::ReadAll(project / "episode.jk"), ::testing::HasSubstr("02xyz.jkl"));

  // Gob project packs the project folder, the saved level among its files.
  Item("mnuGobProject")->trigger();
  const fs::path packed = project / "gob" / "MYLEVEL.GOB";
  ASSERT_TRUE(fs::exists(packed));
  std::vector<std::string> names;
  std::int64_t levelSize = -1;
  for (const auto& entry : archive::ReadGobDirectory(packed)) {
    names.push_back(entry.name);
    if (entry.name == "jkl\\02xyz.jkl") levelSize = entry.size;
  }
  EXPECT_THAT(names, ::testing::UnorderedElementsAre("episode.jk", "jkl\\01abc.jkl",
                                                     "jkl\\02xyz.jkl", "misc\\cogstrings.uni"));
  EXPECT_EQ(levelSize, static_cast<std::int64_t>(fs::file_size(project / "jkl" / "02xyz.jkl")));

  // Run project in JK puts the same archive into the game's episode folder.
  Item("mnuRun")->trigger();
  EXPECT_EQ(kx::test::ReadAll(game / "episode" / "MYLEVEL.GOB"), kx::test::ReadAll(packed));
  EXPECT_THAT(ui.boxes,
              ElementsAre(Box{BoxKind::Information, std::string(project::kRunInGameMessage)}));
}

TEST_F(EndToEndTest, AFailedOpenLeavesTheWindowUsableAndProjectsOpenInTheTopViewAndSurfaceMode) {
  WriteSettings(
      "[Projects]\r\nNProjects=1\r\n[Project1]\r\nLevelName=Gone\r\nJKLName=gone.jkl\r\n"
      "GOB2Name=GONE.GOB\r\n");
  dir.Write("prog/Projects/Gone/episode.jk", "\"Gone\"\r\nTYPE 1\r\n");  // but no level file
  Start();
  ui.boxes.clear();
  ui.projectChoices.push_back(0);
  Press(Button("btnOpen"));
  const fs::path missing = ProgramDir() / "Projects" / "Gone" / "jkl" / "gone.jkl";
  EXPECT_THAT(ui.boxes, ElementsAre(Box{BoxKind::Error, "File not found\n" + missing.string()}));
  EXPECT_FALSE(window->Editor().ProjectOpen());
  EXPECT_FALSE(Item("mnuSave")->isEnabled());

  // The window goes on: a new project from an archive of one level, without the chooser.
  window->Editor().SetEditMode(EditMode::Thing);
  window->Editor().SetView(mapview::View::Right);
  NewProjectFrom("single.gob", {"01abc.jkl"});
  EXPECT_THAT(ui.jklListsShown, IsEmpty());
  const ControlStates states = States();
  EXPECT_THAT(states.off, ::testing::UnorderedElementsAre("mnuUndo", "mnuRedo"));  // no step yet
  EXPECT_THAT(states.checked, ::testing::UnorderedElementsAre(
                                  "mnuTop", "mnu3DOCircle", "mnuSurface", "btnTop", "btnSurface"));
  EXPECT_EQ(PageInFront(), "pnlInfoSurface");
  EXPECT_EQ(BufferAt(1, 2), mapview::colours::kLine.Rgb32());  // the left edge of surface 0
  EXPECT_EQ(QApplication::focusWidget(), KeySink());

  // Open project reads the level file again, into the same view and mode.
  window->Editor().Level().header.worldGravity = 3.5f;
  window->Editor().SetEditMode(EditMode::Thing);
  ui.projectChoices.push_back(1);
  Press(Button("btnOpen"));
  EXPECT_THAT(ui.projectListsShown.back(), ElementsAre("Gone", "Level 01ABC"));
  EXPECT_EQ(window->Editor().Level().header.worldGravity, 1.0f);
  EXPECT_TRUE(Button("btnSurface")->isChecked());
}

TEST_F(EndToEndTest, StartANewProjectOpensTheStarterRoomOnTheMapReadyToSaveAndPack) {
  StartWithStarterRoom();

  const fs::path project = ProgramDir() / "Projects" / "Starter";
  ASSERT_EQ(window->Editor().Values().ProjectDir, project);
  EXPECT_EQ(ui.captions.back(), "Orbandel Kelvarix 1.0 Preview Release 1 Build 631 - Starter");
  EXPECT_THAT(States().off, ::testing::UnorderedElementsAre("mnuUndo", "mnuRedo"));
  // The room's south wall runs along y = 1 from x = 1 to 3 on the top view.
  EXPECT_EQ(BufferAt(2, 1), mapview::colours::kLine.Rgb32());
  EXPECT_EQ(BufferAt(2, 2), mapview::colours::kBackground.Rgb32());

  Press(Button("btnSave"));
  Item("mnuGobProject")->trigger();
  EXPECT_TRUE(fs::exists(project / "gob" / "START.GOB"));
  EXPECT_THAT(ui.boxes, IsEmpty());
}

}  // namespace
}  // namespace kx::shell::test
