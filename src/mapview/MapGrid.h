#pragma once

#include "mapview/Canvas.h"
#include "mapview/MapView.h"

#include <string>

namespace kx::mapview {

/// The grid's step: 0.1 level units at first, halved or doubled, from 0.0015625 (the last
/// halving above 0.001) to 6.4 (the last doubling below 10). Moves snap to it.
class GridStep {
 public:
  static constexpr double kStart = 0.1;
  static constexpr double kLeast = 0.001;
  static constexpr double kGreatest = 10;

  double Step() const;
  /// Halves (doubles) the step; false and no change when it would leave its range.
  bool Finer();
  bool Coarser();
  /// The step as the status bar and the extrude dialog show it: "0.1", "0.0015625", "6.4".
  std::string Text() const;

 private:
  int m_halvings = 0;  // the step is kStart / 2^m_halvings
};

/// The lines of the grid along one axis of the view: at world values first, first + spacing,
/// ... (count of them), every `every` grid steps.
struct GridAxisLines {
  double first = 0;
  double spacing = 0;
  int count = 0;
  long long every = 1;
};

/// Lines are drawn every grid step, or every 2, 4, 8... steps when more than this many would
/// cross the panel.
inline constexpr int kMostGridLines = 200;
/// Closer than this many pixels, lines are drawn fainter.
inline constexpr double kFaintGridSpacing = 8;

/// The grid's lines on a panel's horizontal axis (vertical lines, horizontal = true) or on its
/// vertical axis, for the view's origin and scale.
GridAxisLines GridLinesOn(const MapView& view, PanelSize size, double step, bool horizontal);

/// Paints the grid's lines across the panel: one pixel wide, in the grid colour, or in the faint
/// grid colour where they lie closer than kFaintGridSpacing pixels. A line sits on the pixel a
/// vertex at that value projects to.
void DrawGrid(Canvas& canvas, const MapView& view, PanelSize size, double step);

/// delta rounded to the nearest whole number of steps (halves away from zero).
double SnapToGrid(double delta, double step);

}  // namespace kx::mapview
