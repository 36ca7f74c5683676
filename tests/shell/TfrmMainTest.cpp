#include "platform/AppInfo.h"
#include "project/StartUp.h"
#include "shell/MainWindowFixture.h"

#include <QStatusBar>

#include <gmock/gmock.h>

namespace kx::shell::test {
namespace {

namespace fs = std::filesystem;
using mapview::EditMode;
using mapview::View;
using platform::BoxKind;
using ::testing::ElementsAre;
using Box = kx::test::FakeUi::Box;

// Every menu item and tool button with its enabled and checked state, one line each.
std::vector<std::string> Controls(const MainWindowTest& test,
                                  std::initializer_list<const char*> names) {
  std::vector<std::string> lines;
  for (const char* name : names) {
    std::string line = name;
    if (auto* menu = test.window->findChild<QMenu*>(name)) {
      line += menu->isEnabled() ? " on" : " off";
    } else if (auto* item = test.window->findChild<QAction*>(name)) {
      line += item->isEnabled() ? " on" : " off";
      if (item->isChecked()) line += " checked";
    } else if (auto* button = test.window->findChild<QToolButton*>(name)) {
      line += button->isEnabled() ? " on" : " off";
      if (button->isChecked()) line += " down";
    } else {
      line += " missing";
    }
    lines.push_back(line);
  }
  return lines;
}

const std::initializer_list<const char*> kMenus = {
    "mnuFile",         "mnuNewProject", "mnuOpenProject", "mnuSave",          "mnuGobProject",
    "mnuRun",          "mnuExit",       "mnuEdit",        "mnuEpisodeInfo",   "mnuCopyright",
    "mnuHeader",       "mnuTemplates",  "mnuView",        "mnuTop",           "mnuFront",
    "mnuRight",        "mnu3dpreview",  "mnuViewAll",     "mnuViewSelection", "mnu3DOCircle",
    "mnu3DOWireframe", "mnuMode",       "mnuVertex",      "mnuSurface",       "mnuSector",
    "mnuThing",        "mnuHelp",       "mnuAbout"};
const std::initializer_list<const char*> kButtons = {
    "btnNew",       "btnOpen",   "btnSave",    "btnTop",    "btnFront", "btnRight",
    "btn3dpreview", "btnVertex", "btnSurface", "btnSector", "btnThing"};

TEST_F(MainWindowTest, StartsWithTheWarningAndOnlyTheCommandsThatNeedNoProject) {
  Start();
  EXPECT_EQ(window->windowTitle(), "Orbandel Kelvarix 1.0 Preview Release 1 Build 631");
  EXPECT_THAT(ui.boxes, ElementsAre(Box{BoxKind::Warning, std::string(project::kPreviewWarning)}));
  EXPECT_EQ(window->Editor().Values().ProgramDir, ProgramDir());
  EXPECT_EQ(QApplication::focusWidget(), KeySink());

  EXPECT_EQ(Controls(*this, kMenus),
            (std::vector<std::string>{"mnuFile on",          "mnuNewProject on",
                                      "mnuOpenProject on",   "mnuSave off",
                                      "mnuGobProject off",   "mnuRun off",
                                      "mnuExit on",          "mnuEdit off",
                                      "mnuEpisodeInfo off",  "mnuCopyright off",
                                      "mnuHeader off",       "mnuTemplates on",
                                      "mnuView off",         "mnuTop on checked",
                                      "mnuFront on",         "mnuRight on",
                                      "mnu3dpreview on",     "mnuViewAll on",
                                      "mnuViewSelection on", "mnu3DOCircle on checked",
                                      "mnu3DOWireframe on",  "mnuMode off",
                                      "mnuVertex on",        "mnuSurface on checked",
                                      "mnuSector on",        "mnuThing on",
                                      "mnuHelp on",          "mnuAbout on"}));
  EXPECT_EQ(
      Controls(*this, kButtons),
      (std::vector<std::string>{"btnNew on", "btnOpen on", "btnSave off", "btnTop off",
                                "btnFront off", "btnRight off", "btn3dpreview off", "btnVertex off",
                                "btnSurface off", "btnSector off", "btnThing off"}));
  EXPECT_EQ(Counter(), "0");
  EXPECT_EQ(PageInFront(), "pnlInfoSurface");
  // Captions and hints as the user reads them.
  EXPECT_EQ(Item("mnuRun")->text(), "&Run project in JK");
  EXPECT_EQ(Item("mnuSurface")->text(), "Sur&face");
  EXPECT_EQ(Menu("mnuView")->title(), "&View");
  EXPECT_EQ(Button("btnNew")->toolTip(), "New JK projekt");
  EXPECT_EQ(Button("btnThing")->statusTip(), "Thing Mode");
  EXPECT_EQ(Button("btnFront")->text(), "F");
  EXPECT_EQ(Find<QLabel>("pnlNSelect")->toolTip(), "The number of selected items");
  EXPECT_EQ(Item("mnuSave")->shortcut(), QKeySequence(QKeySequence::Save));
}

TEST_F(MainWindowTest, OpeningAProjectEnablesItsCommandsInTheTopViewAndSurfaceMode) {
  Start();
  window->Editor().SetEditMode(EditMode::Thing);
  window->Editor().SetView(View::Right);
  NewProjectFrom("one.gob", {"01abc.jkl"});
  ASSERT_TRUE(window->Editor().ProjectOpen());
  EXPECT_EQ(Controls(*this, kMenus),
            (std::vector<std::string>{"mnuFile on",          "mnuNewProject on",
                                      "mnuOpenProject on",   "mnuSave on",
                                      "mnuGobProject on",    "mnuRun on",
                                      "mnuExit on",          "mnuEdit on",
                                      "mnuEpisodeInfo on",   "mnuCopyright on",
                                      "mnuHeader on",        "mnuTemplates on",
                                      "mnuView on",          "mnuTop on checked",
                                      "mnuFront on",         "mnuRight on",
                                      "mnu3dpreview on",     "mnuViewAll on",
                                      "mnuViewSelection on", "mnu3DOCircle on checked",
                                      "mnu3DOWireframe on",  "mnuMode on",
                                      "mnuVertex on",        "mnuSurface on checked",
                                      "mnuSector on",        "mnuThing on",
                                      "mnuHelp on",          "mnuAbout on"}));
  EXPECT_EQ(
      Controls(*this, kButtons),
      (std::vector<std::string>{"btnNew on", "btnOpen on", "btnSave on", "btnTop on down",
                                "btnFront on", "btnRight on", "btn3dpreview on", "btnVertex on",
                                "btnSurface on down", "btnSector on", "btnThing on"}));
  EXPECT_EQ(PageInFront(), "pnlInfoSurface");
  EXPECT_EQ(QApplication::focusWidget(), KeySink());
}

// The state a view or mode command leaves behind, as the user sees it.
std::string Marks(const MainWindowTest& test) {
  std::string marks;
  for (const char* name : {"mnuTop", "mnuFront", "mnuRight", "mnu3dpreview", "mnuVertex",
                           "mnuSurface", "mnuSector", "mnuThing"}) {
    if (test.Item(name)->isChecked()) marks += std::string(name) + " ";
  }
  for (const char* name : {"btnTop", "btnFront", "btnRight", "btn3dpreview", "btnVertex",
                           "btnSurface", "btnSector", "btnThing"}) {
    if (test.Button(name)->isChecked()) marks += std::string(name) + " ";
  }
  const auto& editor = test.window->Editor();
  return marks + test.PageInFront().toStdString() + " view " +
         std::to_string(static_cast<int>(editor.View().view)) + " mode " +
         std::to_string(static_cast<int>(editor.Mode())) + " count " + test.Counter().toStdString();
}

TEST_F(MainWindowTest, AToolButtonDoesExactlyWhatItsMenuItemDoes) {
  Start();
  NewProjectFrom("one.gob", {"01abc.jkl"});
  window->Editor().Level().vertices[0].marks.selected = 1;

  struct Pair {
    const char* button;
    const char* item;
  };
  for (const Pair& pair : {Pair{"btnVertex", "mnuVertex"}, Pair{"btnSector", "mnuSector"},
                           Pair{"btnThing", "mnuThing"}, Pair{"btnFront", "mnuFront"},
                           Pair{"btnRight", "mnuRight"}, Pair{"btn3dpreview", "mnu3dpreview"}}) {
    const std::string before = Marks(*this);
    Press(Button(pair.button));
    const std::string byButton = Marks(*this);
    EXPECT_NE(byButton, before) << pair.button;
    // Back to where we were, then the menu item.
    Press(Button("btnSurface"));
    Press(Button("btnTop"));
    if (Item("mnu3dpreview")->isChecked()) Press(Button("btn3dpreview"));
    ASSERT_EQ(Marks(*this), before) << pair.button;
    Item(pair.item)->trigger();
    EXPECT_EQ(Marks(*this), byButton) << pair.item;
    Press(Button("btnSurface"));
    Press(Button("btnTop"));
    if (Item("mnu3dpreview")->isChecked()) Item("mnu3dpreview")->trigger();
  }
  // Pressing the view button that is already down keeps it down.
  Press(Button("btnTop"));
  EXPECT_TRUE(Button("btnTop")->isChecked());
  EXPECT_TRUE(Item("mnuTop")->isChecked());

  // Save: the button and the menu item both write the level file.
  const fs::path levelFile = window->Editor().Values().ProjectDir / "jkl" / "01abc.jkl";
  fs::remove(levelFile);
  Press(Button("btnSave"));
  EXPECT_TRUE(fs::exists(levelFile));
  fs::remove(levelFile);
  Item("mnuSave")->trigger();
  EXPECT_TRUE(fs::exists(levelFile));
}

TEST_F(MainWindowTest, KeysActOnTheMapUnlessATextFieldHasTheFocus) {
  Start();
  QLineEdit* sink = KeySink();
  QTest::keyClick(sink, Qt::Key_V);
  EXPECT_EQ(window->Editor().Mode(), EditMode::Vertex);
  EXPECT_TRUE(Item("mnuVertex")->isChecked());
  EXPECT_FALSE(Item("mnuSurface")->isChecked());
  EXPECT_EQ(PageInFront(), "pnlInfoVertex");
  QTest::keyClick(sink, Qt::Key_2);
  EXPECT_EQ(window->Editor().View().view, View::Front);
  EXPECT_TRUE(Item("mnuFront")->isChecked());
  QTest::keyClick(sink, Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(window->Editor().View().scale, 100.0f);
  // The main keyboard's plus and the keypad's digits are no commands.
  QTest::keyClick(sink, Qt::Key_Plus);
  QTest::keyClick(sink, Qt::Key_1, Qt::KeypadModifier);
  EXPECT_EQ(window->Editor().View().scale, 100.0f);
  EXPECT_EQ(window->Editor().View().view, View::Front);
  // Ctrl+S is Save, which needs a project: nothing happens, and S no longer means Sector.
  QTest::keyClick(sink, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(window->Editor().Mode(), EditMode::Vertex);
  EXPECT_TRUE(ui.boxes.size() == 1);  // only the start-up warning

  // A text field on a property page: what is typed there is text.
  auto* field = new QLineEdit(Find<QWidget>("pnlInfoVertex"));
  field->show();
  field->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), field);
  QTest::keyClicks(field, "3t");
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClick(field, Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(field->text(), "3+");
  EXPECT_EQ(window->Editor().View().view, View::Front);
  EXPECT_EQ(window->Editor().Mode(), EditMode::Vertex);
  EXPECT_EQ(window->Editor().View().scale, 100.0f);

  // The mode switch takes the focus back to the sink; the same keys are commands again.
  Item("mnuSector")->trigger();
  EXPECT_EQ(QApplication::focusWidget(), sink);
  QTest::keyClick(sink, Qt::Key_3);
  EXPECT_EQ(window->Editor().View().view, View::Right);
  QTest::keyClick(sink, Qt::Key_T, Qt::ShiftModifier);
  EXPECT_EQ(window->Editor().Mode(), EditMode::Thing);
}

TEST_F(MainWindowTest, CtrlSSavesOnceAProjectIsOpen) {
  Start();
  NewProjectFrom("one.gob", {"01abc.jkl"});
  const fs::path levelFile = window->Editor().Values().ProjectDir / "jkl" / "01abc.jkl";
  fs::remove(levelFile);
  QTest::keyClick(KeySink(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(fs::exists(levelFile));
  EXPECT_EQ(window->Editor().Mode(), EditMode::Surface);
}

TEST_F(MainWindowTest, AFailingCommandShowsAnErrorBoxAndTheWindowGoesOn) {
  WriteSettings(
      "[Projects]\r\nNProjects=1\r\n[Project1]\r\nLevelName=Gone\r\nJKLName=gone.jkl\r\n"
      "GOB2Name=GONE.GOB\r\n");
  Start();
  ui.boxes.clear();
  ui.projectChoices.push_back(0);
  Press(Button("btnOpen"));
  const fs::path missing = ProgramDir() / "Projects" / "Gone" / "jkl" / "gone.jkl";
  EXPECT_THAT(ui.boxes, ElementsAre(Box{BoxKind::Error, "File not found\n" + missing.string()}));
  EXPECT_THAT(ui.projectListsShown, ElementsAre(ElementsAre("Gone")));

  // Nothing was opened and everything that worked before still works.
  EXPECT_FALSE(window->Editor().ProjectOpen());
  EXPECT_FALSE(Item("mnuSave")->isEnabled());
  EXPECT_TRUE(window->isVisible());
  NewProjectFrom("one.gob", {"01abc.jkl"});
  EXPECT_TRUE(window->Editor().ProjectOpen());
  EXPECT_TRUE(Item("mnuSave")->isEnabled());
}

TEST_F(MainWindowTest, LeavingAsksFirstFromTheMenuAndFromTheCloseBox) {
  Start();
  ui.boxes.clear();
  ui.yesNoAnswers = {false, false, true};
  Item("mnuExit")->trigger();
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  ASSERT_NE(window->Editor().Settings(), nullptr);
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->Editor().Settings(), nullptr);
  EXPECT_EQ(ui.boxes, std::vector<Box>(3, Box{BoxKind::Confirm, "Do you want to exit Kelvarix?"}));
}

TEST_F(MainWindowTest, ACloseThatArrivesWhileACommandRunsWaitsForItsEnd) {
  Start();
  ui.boxes.clear();
  ui.yesNoAnswers = {true};
  // A long command lets the window system run, and with it the close box.
  window->RunCommand([&] { EXPECT_FALSE(window->close()); });
  EXPECT_TRUE(window->isVisible());
  EXPECT_NE(window->Editor().Settings(), nullptr);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, ExitAnsweredYesClosesTheWindow) {
  Start();
  ui.yesNoAnswers = {true};
  Item("mnuExit")->trigger();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->Editor().Settings(), nullptr);
}

TEST_F(MainWindowTest, TheMapFollowsTheWindowAndTheDividerWithinItsLimits) {
  Start();
  auto* map = Find<QWidget>("imgMap");
  auto* panel = Find<QWidget>("pnlProperties");
  auto* mapPanel = Find<QWidget>("pnlMap");
  auto* counter = Find<QWidget>("pnlNSelect");

  window->resize(1900, 1400);
  QCoreApplication::processEvents();
  // No cap on the back buffer: it is the map's size.
  EXPECT_GT(map->width(), 1600);
  EXPECT_EQ(window->Editor().MapSize().width, map->width());
  EXPECT_EQ(window->Editor().MapSize().height, map->height());
  EXPECT_EQ(window->Editor().BackBuffer().Height(), map->height());
  EXPECT_EQ(mapPanel->geometry().left(), panel->width() + 3);
  EXPECT_EQ(counter->y(), panel->height() - 33);

  window->resize(800, 300);
  EXPECT_EQ(window->height(), 450);

  auto* divider = Find<QWidget>("shpMover");
  const int mapWidthBefore = window->Editor().MapSize().width;
  QTest::mousePress(divider, Qt::LeftButton, {}, QPoint(190, 10));
  QTest::mouseMove(divider, QPoint(2, 10));
  EXPECT_EQ(panel->width(), 24);
  EXPECT_EQ(mapPanel->x(), 27);
  EXPECT_EQ(counter->width(), 12);
  EXPECT_EQ(Find<QWidget>("pnlInfo")->width(), 12);
  // The map keeps its picture during the drag and is redrawn at the release.
  EXPECT_GT(window->Editor().MapSize().width, mapWidthBefore);
  QTest::mouseMove(divider, QPoint(5000, 10));
  EXPECT_EQ(panel->width(), window->width() - 48);
  QTest::mouseMove(divider, QPoint(300, 10));
  QTest::mouseRelease(divider, Qt::LeftButton, {}, QPoint(300, 10));
  EXPECT_EQ(panel->width(), 300);
  EXPECT_EQ(mapPanel->x() + mapPanel->width(), window->centralWidget()->width() - 1);
  // The window cannot be made narrower than the panel and a strip of map.
  window->resize(200, 600);
  EXPECT_EQ(window->width(), 420);
  // A move after the release is no drag.
  QTest::mouseMove(divider, QPoint(100, 10));
  EXPECT_EQ(panel->width(), 300);
}

TEST_F(MainWindowTest, TheStatusBarHasThreePanelsAndTheCounterClearsOnADoubleClick) {
  Start();
  const auto panels = Find<QStatusBar>("barStatus")->findChildren<QLabel*>();
  ASSERT_EQ(panels.size(), 3);
  EXPECT_EQ(panels[0]->width(), 100);
  EXPECT_EQ(panels[1]->width(), 80);
  EXPECT_EQ(panels[2]->width(), 50);

  NewProjectFrom("one.gob", {"01abc.jkl"});
  auto& level = window->Editor().Level();
  level.surfaces[0].marks.selected = 1;
  level.surfaces[1].marks.selected = 1;
  window->Editor().SetEditMode(EditMode::Surface);
  EXPECT_EQ(Counter(), "2");
  QTest::mouseDClick(Find<QLabel>("pnlNSelect"), Qt::LeftButton);
  EXPECT_EQ(Counter(), "0");
  EXPECT_EQ(level.surfaces[1].marks.selected, 0);
}

TEST_F(MainWindowTest, AboutShowsTheProgramInAPlainBox) {
  Start();
  ui.boxes.clear();
  Item("mnuAbout")->trigger();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, BoxKind::Plain);
  EXPECT_THAT(ui.boxes[0].text,
              ::testing::StartsWith("Kelvarix 1.0\rPreview Release 1 Build 631\r"));
}

}  // namespace
}  // namespace kx::shell::test
