#include "support/EditorProject.h"
#include "support/FakeEditorWindow.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "editing/Editor.h"
#include "mapview/Colour.h"
#include "platform/CommandError.h"
#include "project/StartUp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::editing {
namespace {

namespace fs = std::filesystem;
using mapview::EditMode;
using mapview::View;
using platform::BoxKind;
using ::testing::ElementsAre;
using Calls = std::vector<std::string>;

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kShift{true, false, false};
constexpr KeyModifiers kCtrl{false, true, false};
constexpr KeyModifiers kAlt{false, false, true};

// A 320 x 240 map at the start scale 50: world (x, y) is pixel (50x, 240 - 50y).
class EditorTest : public ::testing::Test {
 protected:
  EditorTest() {
    window.editor = &editor;
    editor.ResizeMap({320, 240});
    editor.Level() = *test::EditorTestLevel();
  }

  static int Px(float x) { return static_cast<int>(x * 50); }
  static int Py(float y) { return 240 - static_cast<int>(y * 50); }
  void Click(float x, float y, bool shift = false, bool ctrl = false) {
    editor.MouseDown({Px(x), Py(y), shift, ctrl});
    editor.MouseUp({Px(x), Py(y), shift, ctrl});
  }
  std::uint32_t PixelAt(float x, float y) const {
    return editor.BackBuffer().PixelAt(Px(x), Py(y));
  }
  level::RecordMarks& SurfaceMarks(int s) { return editor.Level().surfaces[s].marks; }

  test::TempDir dir;
  test::FakeUi ui;
  test::FakeEditorWindow window;
  Editor editor{ui, window};
};

TEST_F(EditorTest, StartUpWarnsReadsTheSettingsAndStartsTheViewOnTheMapsSize) {
  dir.Write("Kelvarix.ini",
            "[Directories]\r\nJKDir=C:\\Games\\JK\r\n[3DPreview]\r\nWidth=0x200\r\n");
  editor.View().scale = 7;
  editor.StartUp(dir.path());

  EXPECT_THAT(ui.boxes, ElementsAre(test::FakeUi::Box{BoxKind::Warning,
                                                      std::string(project::kPreviewWarning)}));
  EXPECT_EQ(editor.Values().ProgramDir, dir.path());
  EXPECT_EQ(editor.Values().JKDir, fs::path("C:/Games/JK"));
  EXPECT_EQ(editor.Values().PreviewWidth, 512);
  EXPECT_EQ(editor.Values().PreviewHeight, 240);
  EXPECT_EQ(editor.View().scale, 50.0f);
  EXPECT_EQ(editor.View().visibleWindow.maxX, 320 / 50.0f);
  EXPECT_EQ(editor.View().visibleWindow.maxY, 240 / 50.0f);
  EXPECT_EQ(window.calls, (Calls{"focus"}));
  ASSERT_NE(editor.Settings(), nullptr);
  EXPECT_EQ(editor.Settings()->Path(), dir.path() / "Kelvarix.ini");
}

TEST_F(EditorTest, ExitAnsweredNoKeepsTheSettingsAndYesReleasesThem) {
  editor.StartUp(dir.path());
  ui.yesNoAnswers = {false, true};
  EXPECT_FALSE(editor.ConfirmExit());
  ASSERT_NE(editor.Settings(), nullptr);
  editor.Settings()->WriteSettingInt("Projects", "NProjects", 0);  // still usable
  EXPECT_TRUE(editor.ConfirmExit());
  EXPECT_EQ(editor.Settings(), nullptr);
  EXPECT_EQ(ui.boxes.back(),
            (test::FakeUi::Box{BoxKind::Confirm, "Do you want to exit Kelvarix?"}));
  EXPECT_THAT([&] { editor.OpenProject(); },
              ::testing::ThrowsMessage<platform::CommandError>("The settings file is not open"));
}

TEST_F(EditorTest, SetEditModeMarksPaintsCountsAndFocusesWithoutTouchingAnySelection) {
  SurfaceMarks(0).selected = 1;
  SurfaceMarks(1).selected = 1;
  editor.Level().vertices[2].marks.selected = 1;
  editor.View().originX = 0.5f;

  editor.SetEditMode(EditMode::Vertex);
  EXPECT_EQ(window.calls, (Calls{"mode 1", "redraw", "count 1", "focus"}));
  EXPECT_EQ(editor.Mode(), EditMode::Vertex);
  // Vertex mode paints the vertex crosses: the selected vertex (3,3) on its cyan square.
  EXPECT_EQ(editor.BackBuffer().PixelAt(Px(3 - 0.5f) + 2, Py(3) + 2),
            mapview::colours::kSelectedVertex.Rgb32());

  window.calls.clear();
  editor.SetEditMode(EditMode::Surface);
  EXPECT_EQ(window.calls, (Calls{"mode 2", "redraw", "count 2", "focus"}));
  EXPECT_EQ(SurfaceMarks(0).selected, 1);
  EXPECT_EQ(editor.Level().vertices[2].marks.selected, 1);
  EXPECT_EQ(editor.View().originX, 0.5f);
}

TEST_F(EditorTest, SetViewSwitchesTheAxesAndKeepsScaleAndOrigin) {
  editor.View().originX = 1, editor.View().originY = 2, editor.View().originZ = 3;
  editor.SetView(View::Front);
  EXPECT_EQ(window.calls, (Calls{"view 2", "redraw"}));
  EXPECT_EQ(editor.View().view, View::Front);
  EXPECT_EQ(editor.View().originX, 1);
  EXPECT_EQ(editor.View().originY, 2);
  EXPECT_EQ(editor.View().originZ, 3);
  EXPECT_EQ(editor.View().scale, 50);
}

TEST_F(EditorTest, KeysPanZoomAndSwitchTheView) {
  for (int i = 0; i < 5; ++i) editor.KeyDown(Key::KeypadPlus, kNone);
  EXPECT_EQ(editor.View().scale, 1600.0f);
  EXPECT_EQ(window.calls, (Calls(5, "redraw")));
  for (int i = 0; i < 5; ++i) editor.KeyDown(Key::KeypadMinus, kShift);
  EXPECT_EQ(editor.View().scale, 50.0f);
  EXPECT_NEAR(editor.View().originX, 0, 1e-5);

  editor.KeyDown(Key::Left, kNone);
  EXPECT_FLOAT_EQ(editor.View().originX, -0.64f);
  editor.KeyDown(Key::Up, kCtrl);
  EXPECT_FLOAT_EQ(editor.View().originY, 2.56f);
  editor.KeyDown(Key::Digit3, kAlt);
  EXPECT_EQ(editor.View().view, View::Right);
  // In the Right view the horizontal axis is Y.
  editor.KeyDown(Key::Right, kShift);
  EXPECT_FLOAT_EQ(editor.View().originY, 3.2f);
  editor.KeyDown(Key::Down, kNone);
  EXPECT_FLOAT_EQ(editor.View().originZ, -0.64f);

  editor.SetEditMode(EditMode::Vertex);
  editor.KeyDown(Key::Digit1, kAlt);  // Alt+1 outside Surface mode is the Top view
  EXPECT_EQ(editor.View().view, View::Top);
  editor.KeyDown(Key::Digit2, kNone);
  EXPECT_EQ(editor.View().view, View::Front);
}

TEST_F(EditorTest, CtrlNewOpenSaveAreLeftToTheWindowAndDoNotSwitchTheMode) {
  EXPECT_EQ(editor.KeyDown(Key::S, kCtrl).command, KeyCommand::SaveProject);
  EXPECT_EQ(editor.KeyDown(Key::O, kCtrl).command, KeyCommand::OpenProject);
  EXPECT_EQ(editor.KeyDown(Key::N, kCtrl).command, KeyCommand::NewProject);
  EXPECT_EQ(editor.Mode(), EditMode::Surface);
  EXPECT_TRUE(window.calls.empty());
  EXPECT_EQ(editor.KeyDown(Key::V, kCtrl).command, KeyCommand::ModeVertex);
  EXPECT_EQ(editor.Mode(), EditMode::Vertex);
}

TEST_F(EditorTest, SelectionKeysActOnTheCurrentTableOnly) {
  SurfaceMarks(0).selected = 1;
  SurfaceMarks(1).selected = 1;
  editor.Level().sectors[0].marks.selected = 1;
  editor.KeyDown(Key::H, kNone);
  EXPECT_EQ(SurfaceMarks(0).visible, 0);
  EXPECT_EQ(window.shownCount, 0);
  editor.KeyDown(Key::Backspace, kNone);
  EXPECT_EQ(SurfaceMarks(1).visible, 0);
  EXPECT_EQ(SurfaceMarks(1).selected, 0);
  EXPECT_EQ(editor.Level().sectors[0].marks.selected, 1);

  editor.ShowAll();
  SurfaceMarks(0).selected = 1;
  SurfaceMarks(1).selected = 1;
  editor.KeyDown(Key::Digit2, kAlt);  // keeps the last selected surface
  EXPECT_EQ(SurfaceMarks(0).selected, 0);
  EXPECT_EQ(SurfaceMarks(1).selected, 1);
  EXPECT_EQ(window.shownCount, 1);
}

TEST_F(EditorTest, ClicksAndBoxesSelectWithShiftAndCtrlAndTheMapShowsIt) {
  const auto kSelected = mapview::colours::kSelected.Rgb32();
  const auto kLine = mapview::colours::kLine.Rgb32();
  editor.PaintMap();
  EXPECT_EQ(PixelAt(1, 2), kLine);  // the left edge of surface 0

  Click(2, 2);
  EXPECT_EQ(SurfaceMarks(0).selected, 1);
  EXPECT_EQ(window.shownCount, 1);
  EXPECT_EQ(PixelAt(1, 2), kSelected);
  EXPECT_EQ(window.calls, (Calls{"selected", "count 1", "panel"}));

  Click(2, 2, /*shift=*/true);
  EXPECT_EQ(SurfaceMarks(0).selected, 0);
  EXPECT_EQ(PixelAt(1, 2), kLine);

  // A box around both squares, dragged up and to the left.
  editor.MouseDown({Px(5.5f), Py(0.5f)});
  EXPECT_TRUE(editor.MouseMove({Px(0.5f), Py(3.5f)}));
  EXPECT_TRUE(editor.Gesture().BandVisible());
  editor.MouseUp({0, 0});
  EXPECT_FALSE(editor.Gesture().BandVisible());
  EXPECT_EQ(window.shownCount, 2);

  // A Ctrl click in an empty place unselects everything and selects nothing.
  Click(0.5f, 4, false, /*ctrl=*/true);
  EXPECT_EQ(window.shownCount, 0);
  Click(4.5f, 1.5f, false, true);
  EXPECT_EQ(SurfaceMarks(1).selected, 1);
  EXPECT_EQ(SurfaceMarks(0).selected, 0);

  // A box with Shift takes away what it holds.
  editor.MouseDown({Px(3.8f), Py(2.2f)});
  editor.MouseMove({Px(5.2f), Py(0.8f)});
  editor.MouseUp({Px(5.2f), Py(0.8f), /*shift=*/true});
  EXPECT_EQ(window.shownCount, 0);
}

TEST_F(EditorTest, TheBackBufferFollowsTheMapKeepingTheSharedPixels) {
  editor.PaintMap();
  const auto edge = PixelAt(1, 2);
  ASSERT_EQ(edge, mapview::colours::kLine.Rgb32());
  editor.ResizeMap({500, 150});
  EXPECT_EQ(editor.MapSize().width, 500);
  EXPECT_EQ(editor.BackBuffer().Width(), 500);
  EXPECT_EQ(editor.BackBuffer().Height(), 150);
  EXPECT_EQ(editor.BackBuffer().PixelAt(Px(1), Py(2)), edge);
  EXPECT_EQ(editor.BackBuffer().PixelAt(450, 10), mapview::colours::kBackground.Rgb32());
  editor.ResizeMap({0, -5});
  EXPECT_EQ(editor.BackBuffer().Width(), 1);
  EXPECT_EQ(editor.BackBuffer().Height(), 1);
}

TEST_F(EditorTest, ZoomToFitPutsTheWholeLevelOnTheMap) {
  editor.View().originX = 1000;
  editor.ZoomToFit();
  EXPECT_EQ(window.calls, (Calls{"redraw"}));
  const auto left = editor.View().ProjectPoint(1, 1, 0, editor.MapSize());
  const auto right = editor.View().ProjectPoint(5, 3, 0, editor.MapSize());
  EXPECT_GE(left.x, 0);
  EXPECT_LT(right.x, 320);
  EXPECT_GE(right.y, 0);
  EXPECT_LT(left.y, 240);
}

TEST_F(EditorTest, ProjectCommandsNeedTheSettingsAndSaveNeedsAProject) {
  EXPECT_THAT([&] { editor.NewProject(); },
              ::testing::ThrowsMessage<platform::CommandError>("The settings file is not open"));
  editor.StartUp(dir.path());
  EXPECT_THAT([&] { editor.SaveProject(); },
              ::testing::ThrowsMessage<platform::CommandError>("No project is open"));
}

TEST_F(EditorTest, ANewProjectOpensInTheTopViewAndSurfaceModeWithNothingSelected) {
  editor.StartUp(dir.path());
  SurfaceMarks(0).selected = 1;
  editor.SetEditMode(EditMode::Thing);
  editor.SetView(View::Right);
  window.calls.clear();
  platform::NewProjectAnswer answer;
  answer.userGob2 = test::WriteUserArchive(dir.path() / "in" / "mine.gob", {"01abc.jkl"}).string();
  ui.newProjectAnswers.push_back(answer);

  editor.NewProject();
  EXPECT_TRUE(editor.ProjectOpen());
  EXPECT_EQ(editor.Values().ProjectDir, dir.path() / "Projects" / "Level 01ABC");
  EXPECT_EQ(editor.Values().GOB2Name, "MINE.GOB");
  EXPECT_EQ(editor.Level().surfaces.count, 2);
  EXPECT_EQ(SurfaceMarks(0).selected, 0);
  EXPECT_EQ(window.calls, (Calls{"before load", "count 0", "opened", "enable", "view 1", "redraw",
                                 "mode 2", "redraw", "count 0", "focus"}));
  EXPECT_EQ(editor.View().view, View::Top);
  EXPECT_EQ(editor.Mode(), EditMode::Surface);

  // The map shows the new level: surface 0's left edge.
  EXPECT_EQ(PixelAt(1, 2), mapview::colours::kLine.Rgb32());
}

}  // namespace
}  // namespace kx::editing
