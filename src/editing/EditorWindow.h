#pragma once

#include "editing/ChangeSet.h"
#include "editing/MessageList.h"
#include "editing/SelectionHost.h"
#include "mapview/EditMode.h"
#include "mapview/MapView.h"
#include "project/ProjectWindow.h"

#include <string>
#include <vector>

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
  /// A step of the history was made, undone or redone (after the map was redrawn when it
  /// shows what changed): the caption's unsaved mark, the menus' undo texts and any other view
  /// of the Level follow here.
  virtual void LevelChanged(ChangedParts parts) { (void)parts; }
  /// A note of what a command did, for the status bar ("Saved jkl\01abc.jkl at 14:02:05").
  virtual void ShowStatus(const std::string& text) { (void)text; }
  /// The grid was shown or hidden, or its step changed: the View menu's check mark, the tool
  /// button and the status bar's step ("0.1").
  virtual void ShowGrid(bool shown, const std::string& step) { (void)shown, (void)step; }
  /// The move tool was turned on or off: the Edit menu's check mark and the tool button.
  virtual void ShowMoveTool(bool on) { (void)on; }
  /// The problems a check found, for the Messages panel: of the whole level (Tools > Check
  /// level), or of the records a move or an extrusion changed.
  virtual void ShowCheck(const std::vector<MessageEntry>& problems, bool wholeLevel) {
    (void)problems, (void)wholeLevel;
  }
};

}  // namespace kx::editing
