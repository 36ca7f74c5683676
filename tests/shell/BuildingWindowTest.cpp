#include "shell/MainWindowFixture.h"
#include "shell/MapImage.h"

#include "level/JklWriter.h"

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <gmock/gmock.h>

namespace kx::shell::test {
namespace {

using mapview::EditMode;
using mapview::View;
using ::testing::HasSubstr;

// The starter room (x and y 1 to 3, z 1 to 1.6) with its player and lamp, opened in a new
// project, with the grid, the move tool and the other building commands of the main window.
class BuildingWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    StartWithStarterRoom();
    ASSERT_TRUE(window->Editor().ProjectOpen());
    map = Find<MapImage>("imgMap");
  }
  level::Level& Level() { return window->Editor().Level(); }
  std::string Saved() { return level::FormatLevel(Level(), "jkl\\start.jkl", "fixed"); }
  QString Note() const { return Find<QLabel>("barNote")->text(); }
  void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(KeySink(), static_cast<Qt::Key>(key), modifiers);
  }
  // The map pixel of a world point in the current view.
  QPoint Pixel(float x, float y, float z) const {
    const auto& editor = window->Editor();
    const auto p = editor.View().ProjectPoint(x, y, z, editor.MapSize());
    return {p.x, p.y};
  }
  // A drag on the map from its centre by (dx, dy) pixels.
  void Drag(int dx, int dy) {
    const QPoint from(map->width() / 2, map->height() / 2);
    QTest::mousePress(map, Qt::LeftButton, {}, from);
    QTest::mouseMove(map, from + QPoint(dx / 2, dy / 2));
    QTest::mouseMove(map, from + QPoint(dx, dy));
    QTest::mouseRelease(map, Qt::LeftButton, {}, from + QPoint(dx, dy));
  }
  int Pixels(double units) const {
    return static_cast<int>(std::lround(units * window->Editor().View().scale));
  }

  MapImage* map = nullptr;
};

TEST_F(BuildingWindowTest, TheGridKeysShowItAndChangeItsStepInTheStatusBar) {
  EXPECT_EQ(Button("btnGrid")->accessibleName(), "Grid");
  EXPECT_EQ(Button("btnMove")->accessibleName(), "Move");
  const auto background = mapview::colours::kBackground.Rgb32();
  EXPECT_EQ(BufferAt(2.05f, 2.55f), background);
  Key(Qt::Key_G);
  EXPECT_TRUE(Item("mnuGrid")->isChecked());
  EXPECT_TRUE(Button("btnGrid")->isChecked());
  EXPECT_EQ(Find<QLabel>("barGrid")->text(), "Grid 0.1");
  Key(Qt::Key_BracketRight);
  EXPECT_EQ(Find<QLabel>("barGrid")->text(), "Grid 0.2");
  // The room's middle, x 2, lies on a grid line of every step.
  EXPECT_NE(BufferAt(2, 2.55f), background);
  Press(Button("btnGrid"));
  EXPECT_EQ(Find<QLabel>("barGrid")->text(), "Grid 0.2, hidden");
  EXPECT_EQ(BufferAt(2, 2.55f), background);
}

TEST_F(BuildingWindowTest, TheMoveToolDragsTheSelectionInEachViewAndNudgesWithAltArrows) {
  const std::string before = Saved();
  Press(Button("btnThing"));
  level::Thing& player = Level().things[0];
  QTest::mouseClick(map, Qt::LeftButton, {}, At(player.x, player.y));
  ASSERT_EQ(player.marks.selected, 1);
  ASSERT_EQ(Counter(), "1");
  const level::Thing start = player;
  Key(Qt::Key_M);
  ASSERT_TRUE(Button("btnMove")->isChecked());
  EXPECT_TRUE(Item("mnuMove")->isChecked());

  const struct {
    const char* button;
    double a, b;     // the drag, in units along the view's axes
    float dx, dy, dz;  // where it takes the player
  } drags[] = {
      {"btnTop", 0.52, -0.31, 0.5f, -0.3f, 0},
      {"btnFront", -0.48, 0.19, -0.5f, 0, 0.2f},
      {"btnRight", 0.41, -0.22, 0, 0.4f, -0.2f},
  };
  float x = start.x, y = start.y, z = start.z;
  for (const auto& d : drags) {
    Press(Button(d.button));
    const std::size_t steps = window->Editor().History().StepCount();
    Drag(Pixels(d.a), -Pixels(d.b));
    x += d.dx, y += d.dy, z += d.dz;
    EXPECT_NEAR(player.x, x, 1e-5) << d.button;
    EXPECT_NEAR(player.y, y, 1e-5) << d.button;
    EXPECT_NEAR(player.z, z, 1e-5) << d.button;
    EXPECT_EQ(window->Editor().History().StepCount(), steps + 1) << d.button;
    EXPECT_EQ(window->Editor().History().UndoName(), "Move 1 thing");
    EXPECT_EQ(Counter(), "1") << "a drag of the tool selects nothing";
  }

  Press(Button("btnTop"));
  Key(Qt::Key_Left, Qt::AltModifier);
  EXPECT_NEAR(player.x, x - 0.1f, 1e-5);
  Key(Qt::Key_Up, Qt::AltModifier);
  EXPECT_NEAR(player.y, y + 0.1f, 1e-5);
  const float originX = window->Editor().View().originX;
  Key(Qt::Key_Left);
  EXPECT_NE(window->Editor().View().originX, originX) << "a plain arrow still pans";
  EXPECT_NEAR(player.x, x - 0.1f, 1e-5);

  Key(Qt::Key_Escape);
  EXPECT_FALSE(Button("btnMove")->isChecked());
  EXPECT_EQ(Counter(), "1") << "Escape left the tool and kept the selection";
  while (window->Editor().History().CanUndo()) Item("mnuUndo")->trigger();
  EXPECT_EQ(Saved(), before);
}

TEST_F(BuildingWindowTest, ExtrudeAsksForTheDistanceAndBuildsARoomThatPassesTheCheck) {
  const std::string before = Saved();
  int west = -1;
  for (int i = 0; i < Level().surfaces.count && west < 0; ++i) {
    if (Level().normals[static_cast<std::size_t>(i)].x == 1) west = i;
  }
  ASSERT_GE(west, 0);
  Level().surfaces[west].marks.selected = 1;
  const int surfaces = Level().surfaces.count;

  QString shown, accessible;
  bool stayedOpen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = window->findChild<QDialog*>("frmExtrude");
    ASSERT_NE(dialog, nullptr);
    auto* distance = dialog->findChild<QLineEdit*>("edtDistance");
    shown = distance->text();
    accessible = distance->accessibleName();
    distance->setText("-1");
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    stayedOpen = dialog->isVisible();
    distance->setText("0.5");
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
  });
  Key(Qt::Key_E);
  EXPECT_EQ(window->findChild<QDialog*>("frmExtrude")->accessibleName(), "Extrude");
  EXPECT_EQ(shown, "0.1");
  EXPECT_EQ(accessible, "Distance");
  EXPECT_TRUE(stayedOpen);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_THAT(ui.boxes[0].text, HasSubstr("greater than 0"));
  EXPECT_EQ(Level().surfaces.count, surfaces + 6);
  EXPECT_EQ(window->Editor().History().UndoName(), "Extrude Surface");
  EXPECT_EQ(Note(), "Level OK");
  EXPECT_EQ(Counter(), "1") << "the new far wall is selected";

  // The opening cannot be extruded again.
  for (int i = 0; i < Level().surfaces.count; ++i) Level().surfaces[i].marks.selected = i == west;
  Item("mnuExtrude")->trigger();
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_THAT(ui.boxes[1].text, HasSubstr("already has an adjoin"));

  Item("mnuUndo")->trigger();
  EXPECT_EQ(Saved(), before);
}

TEST_F(BuildingWindowTest, CheckLevelListsProblemsAndAClickShowsTheRecord) {
  Item("mnuCheckLevel")->trigger();
  EXPECT_EQ(Note(), "Level OK");
  Level().things[1].x = 9;  // the lamp, out of the room
  Item("mnuCheckLevel")->trigger();
  EXPECT_EQ(Note(), "1 problem");
  auto* list = Find<QListWidget>("lstMessages");
  ASSERT_EQ(list->count(), 1);
  EXPECT_THAT(list->item(0)->text().toStdString(), HasSubstr("thing 1"));
  EXPECT_TRUE(list->isVisible());

  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
  EXPECT_EQ(window->Editor().Mode(), EditMode::Thing);
  EXPECT_EQ(Level().things[1].marks.selected, 1);
  EXPECT_EQ(Counter(), "1");
  const QPoint lamp = Pixel(9, Level().things[1].y, Level().things[1].z);
  EXPECT_NEAR(lamp.x(), map->width() / 2, 1);
  EXPECT_NEAR(lamp.y(), map->height() / 2, 1);
}

TEST_F(BuildingWindowTest, DuplicateAppendsCopiesOneStepAsideAndSelectsThem) {
  Press(Button("btnThing"));
  const int things = Level().things.count;
  QTest::mouseClick(map, Qt::LeftButton, {}, At(Level().things[0].x, Level().things[0].y));
  Key(Qt::Key_D, Qt::ControlModifier);
  ASSERT_EQ(Level().things.count, things + 1);
  const level::Thing& copy = Level().things[things];
  EXPECT_EQ(copy.templateName, Level().things[0].templateName);
  EXPECT_NEAR(copy.x, Level().things[0].x + 0.1f, 1e-6);
  EXPECT_EQ(copy.marks.selected, 1);
  EXPECT_EQ(Level().things[0].marks.selected, 0);
  EXPECT_EQ(Counter(), "1");
  EXPECT_EQ(window->Editor().History().UndoName(), "Duplicate 1 thing");
  Item("mnuUndo")->trigger();
  EXPECT_EQ(Level().things.count, things);
}

}  // namespace
}  // namespace kx::shell::test
