#pragma once

#include "editing/SelectionHost.h"
#include "mapview/EditMode.h"
#include "mapview/MapView.h"
#include "project/ProjectWindow.h"

namespace kx::editing {

/// What the Editor asks of the window that shows it: the repaints, the counter and the property
/// panel (SelectionHost), the steps around loading a project (ProjectWindow, which the window
/// hands back to the Editor), and the marks and focus that follow the view and the mode.
class EditorWindow : public SelectionHost, public project::ProjectWindow {
 public:
  /// Checks the View menu's item of view, unchecks the other two and presses its tool button.
  virtual void ShowView(mapview::View view) = 0;
  /// Checks the Mode menu's item of mode, unchecks the other three, presses its tool button
  /// (the other mode buttons go up) and brings its property page to the front.
  virtual void ShowEditMode(mapview::EditMode mode) = 0;
  /// Gives the keyboard focus to the off-screen keyboard sink, away from any text field.
  virtual void FocusKeyboardSink() = 0;
  /// Enables the commands that need a project and their tool buttons.
  virtual void EnableProjectCommands() = 0;
};

}  // namespace kx::editing
