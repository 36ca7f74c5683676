#pragma once

#include "editing/Editor.h"
#include "editing/EditorWindow.h"

#include <string>
#include <vector>

namespace kx::test {

/// A window for the Editor without Qt: records what it was told, in order ("view 2", "mode 1",
/// "redraw", "selected", "count 3", "panel", "focus", "enable", "before load", "opened"), paints
/// the back buffer on a redraw as the real window does, and hands the project steps back to
/// the Editor.
class FakeEditorWindow : public editing::EditorWindow {
 public:
  editing::Editor* editor = nullptr;
  std::vector<std::string> calls;
  int shownCount = -1;

  void RedrawMap() override;
  void DrawSelected() override;
  void ShowSelectionCount(int count) override;
  void UpdatePropertyPanel() override { calls.push_back("panel"); }
  void BeforeProjectLoad() override;
  void ProjectOpened() override;
  void ShowView(mapview::View view) override;
  void ShowEditMode(mapview::EditMode mode) override;
  void FocusKeyboardSink() override { calls.push_back("focus"); }
  void EnableProjectCommands() override { calls.push_back("enable"); }
};

}  // namespace kx::test
