#pragma once

#include "editing/Editor.h"
#include "editing/EditorWindow.h"

#include <string>
#include <vector>

namespace kx::test {

/// A window for the Editor without Qt: records what it was told, in order ("view 2", "mode 1",
/// "redraw", "selected", "count 3", "panel", "focus", "enable", "before load", "opened",
/// "changed"), paints the back buffer on a redraw as the real window does, and hands the
/// project steps back to the Editor.
class FakeEditorWindow : public editing::EditorWindow {
 public:
  editing::Editor* editor = nullptr;
  std::vector<std::string> calls;
  int shownCount = -1;

  void RedrawMap() override {
    calls.push_back("redraw");
    if (editor) editor->PaintMap();
  }
  void DrawSelected() override {
    calls.push_back("selected");
    if (editor) editor->PaintSelected();
  }
  void ShowSelectionCount(int count) override {
    calls.push_back("count " + std::to_string(count));
    shownCount = count;
  }
  void UpdatePropertyPanel() override { calls.push_back("panel"); }
  void BeforeProjectLoad() override {
    calls.push_back("before load");
    if (editor) editor->BeforeProjectLoad();
  }
  void ProjectOpened() override {
    calls.push_back("opened");
    if (editor) editor->ProjectOpened();
  }
  void ShowView(mapview::View view) override {
    calls.push_back("view " + std::to_string(static_cast<int>(view)));
  }
  void ShowEditMode(mapview::EditMode mode) override {
    calls.push_back("mode " + std::to_string(static_cast<int>(mode)));
  }
  void FocusKeyboardSink() override { calls.push_back("focus"); }
  void EnableProjectCommands() override { calls.push_back("enable"); }
  void LevelChanged(editing::ChangedParts) override { calls.push_back("changed"); }
};

}  // namespace kx::test
