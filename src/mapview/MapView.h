#pragma once

#include <cstdint>

namespace kx::mapview {

/// The three orthographic views. Top shows X right and Y up, Front X right and Z up, Right Y
/// right and Z up.
enum class View { Top = 1, Front = 2, Right = 3 };

enum class PanDirection { Left, Right, Up, Down };

/// The map panel's size in pixels (W and H); the projection reads it afresh at every use.
struct PanelSize {
  int width = 0;
  int height = 0;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

/// A world point; the axis a view does not show is 0 when it comes from a pixel.
struct WorldPoint {
  double x = 0, y = 0, z = 0;
};

/// The world box the panel shows, in world units.
struct VisibleWindow {
  float minX = 0, maxX = 0, minY = 0, maxY = 0, minZ = 0, maxZ = 0;
};

/// Projected pixel coordinates are kept within +-2^28: points that far out are off every map,
/// and the pixel arithmetic stays far from overflow.
inline constexpr float kPixelLimit = 268435456.0f;

/// Which world coordinates a view shows: a runs left to right, b bottom to top.
struct ViewAxes {
  View view = View::Top;
  float A(float x, float y) const { return view == View::Right ? y : x; }
  float B(float y, float z) const { return view == View::Top ? y : z; }
};

/// The nearest integer to a pixel offset, halves to the even neighbour (the processor's
/// rounding), held within kPixelLimit; NaN, which no real point gives, lands far off the map.
int RoundPixel(float offset);

/// The map's viewing state: the view, the scale in pixels per world unit and the world point at
/// the panel's lower-left corner. The scale stays within [kMinScale, kMaxScale].
class MapView {
 public:
  static constexpr float kMinScale = 1e-4f;
  static constexpr float kMaxScale = 1e5f;
  static constexpr float kStartScale = 50.0f;

  View view = View::Top;
  float scale = kStartScale;
  float originX = 0;
  float originY = 0;
  float originZ = 0;
  VisibleWindow visibleWindow;

  /// The start values (Top view, scale 50, origin 0,0,0) with the visible window of a panel of
  /// that size.
  static MapView AtStart(PanelSize size);

  /// The map pixel of a world point in the current view.
  PixelPoint ProjectPoint(float x, float y, float z, PanelSize size) const;
  /// The world point under a map pixel; the axis not shown is 0.
  WorldPoint UnprojectPoint(int px, int py, PanelSize size) const;
  /// Refreshes visibleWindow; every redraw calls it first.
  void ComputeVisibleWindow(PanelSize size);

  /// Moves the window by 32 pixels (128 when fast) worth of world units. The caller redraws.
  void PanView(PanDirection direction, bool fast);
  /// Doubles (halves) the scale keeping the world point at the panel's centre fixed; false and
  /// no change when the scale would leave its range. The caller redraws when true.
  bool ZoomIn(PanelSize size);
  bool ZoomOut(PanelSize size);
  /// Switches the view; scale and origin stay, so the axis two views share stays where it was.
  void SetView(View newView) { view = newView; }
  /// Sets the scale when it lies within the range; false otherwise.
  bool SetScale(float newScale);

  /// The extents of the three world axes on a panel of that size, in world units.
  float ExtentX(PanelSize size) const;
  float ExtentY(PanelSize size) const;
  float ExtentZ(PanelSize size) const;
  ViewAxes Axes() const { return {view}; }
  /// The origin fields of the horizontal and vertical axes of the current view.
  float& OriginA() { return view == View::Right ? originY : originX; }
  float& OriginB() { return view == View::Top ? originY : originZ; }
  float OriginA() const { return view == View::Right ? originY : originX; }
  float OriginB() const { return view == View::Top ? originY : originZ; }
};

/// Projects many points of one view quickly; gives the same pixels as MapView::ProjectPoint.
class Projector {
 public:
  Projector(const MapView& view, PanelSize size)
      : m_axes(view.Axes()),
        m_originA(view.OriginA()),
        m_originB(view.OriginB()),
        m_scale(view.scale),
        m_height(size.height) {}

  /// The unrounded pixel offsets from the origin on the view's two axes.
  float OffsetA(float x, float y) const { return (m_axes.A(x, y) - m_originA) * m_scale; }
  float OffsetB(float y, float z) const { return (m_axes.B(y, z) - m_originB) * m_scale; }
  PixelPoint operator()(float x, float y, float z) const {
    return {RoundPixel(OffsetA(x, y)), m_height - RoundPixel(OffsetB(y, z))};
  }
  int Height() const { return m_height; }
  float Scale() const { return m_scale; }

 private:
  ViewAxes m_axes;
  float m_originA;
  float m_originB;
  float m_scale;
  int m_height;
};

}  // namespace kx::mapview
