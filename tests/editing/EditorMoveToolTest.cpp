#include "support/EditorProject.h"
#include "support/FakeEditorWindow.h"
#include "support/FakeUi.h"

#include "editing/Editor.h"

#include <functional>
#include <gtest/gtest.h>

namespace kx::editing {
namespace {

using mapview::EditMode;

// The editor on a 320 x 240 map with the editor's test level in Vertex mode, vertex 0 (at 1, 1)
// selected: world (x, y) is pixel (50x, 240 - 50y) in the Top view.
class EditorMoveToolTest : public ::testing::Test {
 public:
  EditorMoveToolTest() {
    window.editor = &editor;
    editor.ResizeMap({320, 240});
    editor.Level() = *test::EditorTestLevel();
    editor.SetEditMode(EditMode::Vertex);
    editor.Level().vertices[0].marks.selected = 1;
  }
  const level::Vertex& Corner() const { return editor.Level().vertices[0]; }
  void ToggleTool() { editor.KeyDown(Key::M, {}); }

  test::FakeUi ui;
  test::FakeEditorWindow window;
  Editor editor{ui, window};
};

TEST_F(EditorMoveToolTest, AGestureStaysWhatItBeganAsAndOnlyAFinishedMoveIsAStep) {
  const struct {
    const char* what;
    bool toolAtPress;
    std::function<void(EditorMoveToolTest&)> midway;  // after the first motion
    bool moved;
  } cases[] = {
      {"a move released", true, [](EditorMoveToolTest&) {}, true},
      {"a box drag while the tool turns on", false, [](EditorMoveToolTest& t) { t.ToggleTool(); },
       false},
      {"a move while the tool turns off", true, [](EditorMoveToolTest& t) { t.ToggleTool(); },
       false},
      {"a move dropped with Escape", true,
       [](EditorMoveToolTest& t) { t.editor.KeyDown(Key::Escape, {}); }, false},
      {"a move dropped by Undo", true, [](EditorMoveToolTest& t) { t.editor.Undo(); }, false},
  };
  for (const auto& c : cases) {
    if (editor.MoveToolOn() != c.toolAtPress) ToggleTool();
    const std::size_t steps = editor.History().StepCount();
    editor.MouseDown({100, 100});
    editor.MouseMove({113, 93});
    if (c.toolAtPress) {
      EXPECT_NEAR(Corner().x, 1.3f, 1e-6) << c.what << ": the map shows it at its new place";
    }
    c.midway(*this);
    editor.MouseMove({113, 93});
    editor.MouseUp({113, 93});
    EXPECT_EQ(editor.History().StepCount(), steps + (c.moved ? 1 : 0)) << c.what;
    EXPECT_NEAR(Corner().x, c.moved ? 1.3f : 1.0f, 1e-6) << c.what;
    EXPECT_NEAR(Corner().y, c.moved ? 1.1f : 1.0f, 1e-6) << c.what;
    EXPECT_FALSE(editor.MoveUnderWay()) << c.what;
    if (c.moved) {
      EXPECT_EQ(editor.History().UndoName(), "Move 1 vertex");
      editor.Undo();
    }
    editor.Level().vertices[0].marks.selected = 1;  // a box drag may have changed it
  }
}

TEST_F(EditorMoveToolTest, TheToolWorksInVertexAndThingModeAndAModeChangeEndsIt) {
  ToggleTool();
  EXPECT_TRUE(editor.MoveToolOn());
  editor.SetEditMode(EditMode::Thing);
  EXPECT_FALSE(editor.MoveToolOn());
  ToggleTool();
  EXPECT_TRUE(editor.MoveToolOn());
  editor.SetEditMode(EditMode::Surface);
  ToggleTool();
  EXPECT_FALSE(editor.MoveToolOn());
  editor.SetEditMode(EditMode::Vertex);
  // Alt+arrows nudge by a grid step once the tool is on, and are a step each.
  ToggleTool();
  editor.CoarserGrid();
  editor.KeyDown(Key::Down, {.alt = true});
  EXPECT_NEAR(Corner().y, 0.8f, 1e-6);
  EXPECT_EQ(editor.History().UndoName(), "Move 1 vertex");
}

}  // namespace
}  // namespace kx::editing
