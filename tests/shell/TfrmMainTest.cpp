#include "project/StartUp.h"
#include "shell/MainWindowFixture.h"

#include <gmock/gmock.h>

namespace kx::shell::test {
namespace {

namespace fs = std::filesystem;
using mapview::EditMode;
using mapview::View;
using platform::BoxKind;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using Box = kx::test::FakeUi::Box;

TEST_F(MainWindowTest, StartsWithTheWarningAndOnlyTheCommandsThatNeedNoProject) {
  Start();
  EXPECT_EQ(window->windowTitle(), "Orbandel Kelvarix 1.0 Preview Release 1 Build 631");
  EXPECT_THAT(ui.boxes, ElementsAre(Box{BoxKind::Warning, std::string(project::kPreviewWarning)}));
  EXPECT_EQ(window->Editor().Values().ProgramDir, ProgramDir());
  EXPECT_EQ(QApplication::focusWidget(), KeySink());
  const ControlStates states = States();
  EXPECT_THAT(states.off, UnorderedElementsAre(
                              "mnuSave", "mnuGobProject", "mnuRun", "mnuEdit", "mnuEpisodeInfo",
                              "mnuCopyright", "mnuHeader", "mnuUndo", "mnuRedo", "mnuView",
                              "mnuMode", "btnSave", "btnTop", "btnFront", "btnRight",
                              "btn3dpreview", "btnVertex", "btnSurface", "btnSector", "btnThing",
                              "mnuMove", "mnuExtrude", "mnuDuplicate", "btnMove", "btnGrid",
                              "mnuTools"));
  EXPECT_THAT(states.checked, UnorderedElementsAre("mnuTop", "mnu3DOCircle", "mnuSurface"));
  EXPECT_EQ(Counter(), "0");
  EXPECT_EQ(PageInFront(), "pnlInfoSurface");
}

// What a view or mode command leaves behind, as the user sees it.
std::string Marks(const MainWindowTest& test) {
  std::string marks;
  for (const std::string& name : test.States().checked) marks += name + " ";
  const auto& editor = test.window->Editor();
  return marks + test.PageInFront().toStdString() + " view " +
         std::to_string(static_cast<int>(editor.View().view)) + " mode " +
         std::to_string(static_cast<int>(editor.Mode())) + " count " + test.Counter().toStdString();
}

TEST_F(MainWindowTest, AToolButtonDoesExactlyWhatItsMenuItemDoes) {
  StartWithProject();
  window->Editor().Level().vertices[0].marks.selected = 1;
  const auto backToTheStart = [&] {
    Press(Button("btnSurface"));
    Press(Button("btnTop"));
  };
  const std::string start = Marks(*this);
  for (const auto& [button, item] : {std::pair{"btnVertex", "mnuVertex"},
                                     {"btnSector", "mnuSector"},
                                     {"btnThing", "mnuThing"},
                                     {"btnFront", "mnuFront"},
                                     {"btnRight", "mnuRight"}}) {
    Press(Button(button));
    const std::string byButton = Marks(*this);
    EXPECT_NE(byButton, start) << button;
    backToTheStart();
    ASSERT_EQ(Marks(*this), start) << button;
    Item(item)->trigger();
    EXPECT_EQ(Marks(*this), byButton) << item;
    backToTheStart();
  }
  Press(Button("btnTop"));  // the view button that is already down stays down
  EXPECT_EQ(Marks(*this), start);

  // Save from the button, the menu and Ctrl+S, which no longer switches to Sector mode.
  const fs::path levelFile = window->Editor().Values().ProjectDir / "jkl" / "01abc.jkl";
  for (const auto& save : std::vector<std::function<void()>>{
           [&] { Press(Button("btnSave")); }, [&] { Item("mnuSave")->trigger(); },
           [&] { QTest::keyClick(KeySink(), Qt::Key_S, Qt::ControlModifier); }}) {
    fs::remove(levelFile);
    save();
    EXPECT_TRUE(fs::exists(levelFile));
  }
  EXPECT_EQ(Marks(*this), start);
}

TEST_F(MainWindowTest, KeysActOnTheMapUnlessATextFieldHasTheFocus) {
  Start();
  const auto& view = window->Editor().View();
  QLineEdit* sink = KeySink();
  QTest::keyClick(sink, Qt::Key_V);
  EXPECT_TRUE(Item("mnuVertex")->isChecked());
  EXPECT_EQ(PageInFront(), "pnlInfoVertex");
  QTest::keyClick(sink, Qt::Key_2);
  EXPECT_TRUE(Item("mnuFront")->isChecked());
  QTest::keyClick(sink, Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(view.scale, 100.0f);
  // The main keyboard's plus and the keypad's digits are no commands; Ctrl+S is Save, which
  // needs a project.
  QTest::keyClick(sink, Qt::Key_Plus);
  QTest::keyClick(sink, Qt::Key_1, Qt::KeypadModifier);
  QTest::keyClick(sink, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(view.scale, 100.0f);
  EXPECT_EQ(view.view, View::Front);
  EXPECT_EQ(window->Editor().Mode(), EditMode::Vertex);
  EXPECT_EQ(ui.boxes.size(), 1u);  // only the start-up warning

  // A text field on a property page: what is typed there is text.
  auto* field = new QLineEdit(Find<QWidget>("pnlInfoVertex"));
  field->show();
  field->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), field);
  QTest::keyClicks(field, "3t");
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClick(field, Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(field->text(), "3+");
  EXPECT_EQ(view.view, View::Front);
  EXPECT_EQ(window->Editor().Mode(), EditMode::Vertex);
  EXPECT_EQ(view.scale, 100.0f);
}

TEST_F(MainWindowTest, LeavingAsksFirstFromTheCloseBoxAndFromTheMenu) {
  Start();
  ui.boxes.clear();
  ui.yesNoAnswers = {false, false, true};
  EXPECT_FALSE(window->close());
  Item("mnuExit")->trigger();
  EXPECT_TRUE(window->isVisible());
  ASSERT_NE(window->Editor().Settings(), nullptr);
  Item("mnuExit")->trigger();
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
  EXPECT_NE(window->Editor().Settings(), nullptr);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(window->close());  // the close box answered Yes
  EXPECT_EQ(window->Editor().Settings(), nullptr);
}

TEST_F(MainWindowTest, TheMapFollowsTheWindowAndTheDividerWithinItsLimits) {
  Start();
  auto* map = Find<QWidget>("imgMap");
  auto* panel = Find<QWidget>("pnlProperties");
  window->resize(1900, 1400);
  QCoreApplication::processEvents();
  // No cap on the back buffer: it is the map's size.
  EXPECT_GT(map->width(), 1600);
  EXPECT_EQ(window->Editor().BackBuffer().Width(), map->width());
  EXPECT_EQ(window->Editor().BackBuffer().Height(), map->height());

  window->resize(800, 600);
  auto* divider = Find<QWidget>("shpMover");
  const int mapWidthBefore = map->width();
  QTest::mousePress(divider, Qt::LeftButton, {}, QPoint(190, 10));
  QTest::mouseMove(divider, QPoint(2, 10));
  EXPECT_EQ(panel->width(), 24);
  EXPECT_GT(window->Editor().MapSize().width, mapWidthBefore);
  QTest::mouseMove(divider, QPoint(5000, 10));
  EXPECT_EQ(panel->width(), window->width() - 48);
  QTest::mouseMove(divider, QPoint(300, 10));
  QTest::mouseRelease(divider, Qt::LeftButton, {}, QPoint(300, 10));
  EXPECT_EQ(panel->width(), 300);
  QTest::mouseMove(divider, QPoint(100, 10));  // a move after the release is no drag
  EXPECT_EQ(panel->width(), 300);
  // The window cannot be made narrower than the panel and a strip of map.
  window->resize(200, 300);
  EXPECT_EQ(window->size(), QSize(420, 450));
}

TEST_F(MainWindowTest, ADoubleClickOnTheCounterClearsTheSelection) {
  StartWithProject();
  auto& level = window->Editor().Level();
  level.surfaces[0].marks.selected = 1;
  level.surfaces[1].marks.selected = 1;
  window->Editor().SetEditMode(EditMode::Surface);
  EXPECT_EQ(Counter(), "2");
  QTest::mouseDClick(Find<QLabel>("pnlNSelect"), Qt::LeftButton);
  EXPECT_EQ(Counter(), "0");
  EXPECT_EQ(level.surfaces[1].marks.selected, 0);
}

}  // namespace
}  // namespace kx::shell::test
