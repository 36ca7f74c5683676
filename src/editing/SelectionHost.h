#pragma once

namespace kx::editing {

/// What the picks and selection commands need from the window that shows the map: the two
/// repaints, the selection counter and the property panel.
class SelectionHost {
 public:
  virtual ~SelectionHost() = default;
  /// Repaints the whole map for the current mode (mapview::RedrawMap) and shows it.
  virtual void RedrawMap() = 0;
  /// Paints the selected records over the map (mapview::DrawSelected) and shows it.
  virtual void DrawSelected() = 0;
  /// Shows the number of selected records of the current mode's table.
  virtual void ShowSelectionCount(int count) = 0;
  /// Refills the property panel from the selection.
  virtual void UpdatePropertyPanel() = 0;
};

}  // namespace kx::editing
