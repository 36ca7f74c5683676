#pragma once

#include "mapview/MapView.h"

#include <string>

namespace kx::mapview {

/// One zoom step of the keypad's size (the scale doubled, or halved when !in) about a map
/// pixel: the level point under that pixel stays under it. The axis the view does not show
/// keeps its centre, as with the keypad. False, changing nothing, when the scale would leave
/// its range.
bool ZoomAboutPixel(MapView& view, PanelSize size, PixelPoint at, bool in);

/// Turns the wheel's angle deltas (eighths of a degree, 120 for one notch of a common wheel)
/// into whole notches, so that a touchpad's small deltas add up to the same steps.
class WheelNotches {
 public:
  /// Adds a delta; returns the notches it completed, positive when turned away from the user.
  int Add(int angleDelta);

 private:
  int m_rest = 0;
};

/// A drag that pans the map: the level point under the pointer at the start stays under the
/// pointer, exactly, wherever it moves. A change of scale or view in between (a wheel turn)
/// starts the drag afresh from where the pointer is.
class PanDrag {
 public:
  PanDrag(const MapView& view, PixelPoint start);
  /// Moves the origin of the view's two axes after the pointer.
  void MoveTo(MapView& view, PixelPoint pointer);

 private:
  PixelPoint m_start;
  View m_view;
  float m_scale;
  float m_originA;
  float m_originB;
};

/// Moves the origin so that point shows at the panel's centre, in every view: each of the three
/// origin fields becomes the point's coordinate less half its axis's extent. The scale stays.
void CentreOn(MapView& view, PanelSize size, const WorldPoint& point);

/// The level coordinates under a map pixel on the view's two axes, three decimals each:
/// "12.500, -3.000".
std::string PointerPositionText(const MapView& view, PanelSize size, PixelPoint at);

/// The scale as the status bar shows it: "50 px/unit", "0.7813 px/unit".
std::string ScaleText(float scale);

}  // namespace kx::mapview
