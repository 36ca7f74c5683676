#include "support/EditorProject.h"
#include "support/FakeEditorWindow.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "editing/Editor.h"
#include "mapview/Colour.h"
#include "platform/CommandError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace kx::editing {
namespace {

using ::testing::ThrowsMessage;

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kShift{true, false, false};
constexpr KeyModifiers kCtrl{false, true, false};
constexpr KeyModifiers kAlt{false, false, true};

// The editor's test level on a 320 x 240 map at the start scale 50: world (x, y) is pixel
// (50x, 240 - 50y).
class EditorTest : public ::testing::Test {
 protected:
  EditorTest() {
    window.editor = &editor;
    editor.ResizeMap({320, 240});
    editor.Level() = *test::EditorTestLevel();
  }

  level::RecordMarks& SurfaceMarks(int s) { return editor.Level().surfaces[s].marks; }
  std::string ViewAndMode() const {
    const mapview::MapView& v = editor.View();
    std::ostringstream out;
    out << "view " << static_cast<int>(v.view) << " mode " << static_cast<int>(editor.Mode())
        << " scale " << v.scale << " origin " << v.originX << "," << v.originY << "," << v.originZ;
    return out.str();
  }

  test::TempDir dir;
  test::FakeUi ui;
  test::FakeEditorWindow window;
  Editor editor{ui, window};
};

TEST_F(EditorTest, KeysPanZoomSwitchTheViewAndTheModeAndLeaveSaveToTheWindow) {
  const struct {
    Key key;
    KeyModifiers modifiers;
    const char* state;
  } steps[] = {
      {Key::KeypadPlus, kNone, "view 1 mode 2 scale 100 origin 1.6,1.2,1.2"},
      {Key::KeypadMinus, kShift, "view 1 mode 2 scale 50 origin 0,0,0"},
      {Key::Left, kNone, "view 1 mode 2 scale 50 origin -0.64,0,0"},
      {Key::Right, kCtrl, "view 1 mode 2 scale 50 origin 1.92,0,0"},
      {Key::Up, kCtrl, "view 1 mode 2 scale 50 origin 1.92,2.56,0"},
      {Key::Down, kNone, "view 1 mode 2 scale 50 origin 1.92,1.92,0"},
      // The flat level lies on the row below the map in the Front view: the view fits it.
      {Key::Digit2, kNone, "view 2 mode 2 scale 72 origin 0.784722,1.92,-1.67361"},
      {Key::S, kCtrl, "view 2 mode 2 scale 72 origin 0.784722,1.92,-1.67361"},
      {Key::S, kNone, "view 2 mode 3 scale 72 origin 0.784722,1.92,-1.67361"},
      {Key::F, kNone, "view 2 mode 2 scale 72 origin 0.784722,1.92,-1.67361"},
      {Key::Digit1, kNone, "view 1 mode 2 scale 72 origin 0.784722,1.92,-1.67361"},
  };
  for (const auto& step : steps) {
    editor.KeyDown(step.key, step.modifiers);
    EXPECT_EQ(ViewAndMode(), step.state) << "after key " << static_cast<int>(step.key);
  }
  EXPECT_EQ(editor.KeyDown(Key::S, kCtrl).command, KeyCommand::SaveProject);
}

TEST_F(EditorTest, SelectionKeysKeepHideAndClearInTheCurrentTableOnly) {
  SurfaceMarks(0).selected = SurfaceMarks(1).selected = 1;
  editor.Level().sectors[0].marks.selected = 1;
  editor.KeyDown(Key::Digit2, kAlt);  // keeps the last selected surface
  EXPECT_EQ(SurfaceMarks(0).selected, 0);
  SurfaceMarks(0).selected = 1;
  editor.KeyDown(Key::Digit1, kAlt);  // and the first
  EXPECT_EQ(SurfaceMarks(1).selected, 0);
  editor.KeyDown(Key::H, kNone);
  EXPECT_EQ(SurfaceMarks(0).visible, 0);
  SurfaceMarks(1).selected = 1;
  editor.KeyDown(Key::Backspace, kNone);
  EXPECT_EQ(SurfaceMarks(1).selected, 0);
  EXPECT_EQ(SurfaceMarks(1).visible, 1);
  EXPECT_EQ(editor.Level().sectors[0].marks.selected, 1);
}

TEST_F(EditorTest, TheBackBufferFollowsTheMapKeepingTheSharedPixels) {
  editor.PaintMap();
  const auto line = mapview::colours::kLine.Rgb32();
  ASSERT_EQ(editor.BackBuffer().PixelAt(50, 140), line);  // the left edge of surface 0
  editor.ResizeMap({500, 150});
  EXPECT_EQ(editor.BackBuffer().Width(), 500);
  EXPECT_EQ(editor.BackBuffer().Height(), 150);
  EXPECT_EQ(editor.BackBuffer().PixelAt(50, 140), line);  // in the same place until a redraw
  EXPECT_EQ(editor.BackBuffer().PixelAt(450, 10), mapview::colours::kBackground.Rgb32());
  editor.ResizeMap({0, -5});
  EXPECT_EQ(editor.BackBuffer().Width(), 1);
  EXPECT_EQ(editor.BackBuffer().Height(), 1);
}

TEST_F(EditorTest, ProjectCommandsNeedTheSettingsAndSaveNeedsAProject) {
  EXPECT_THAT([&] { editor.NewProject(); },
              ThrowsMessage<platform::CommandError>("The settings file is not open"));
  editor.StartUp(dir.path());
  EXPECT_THAT([&] { editor.SaveProject(); },
              ThrowsMessage<platform::CommandError>("No project is open"));
}

}  // namespace
}  // namespace kx::editing
