#pragma once

#include "level/Level.h"
#include "mapview/LevelGeometry.h"
#include "mapview/MapView.h"

namespace kx::editing {

/// A point on the two axes of the current view, in world units.
struct ViewPoint {
  float a = 0;
  float b = 0;
};

/// Whether the segments p1-p2 and q1-q2 meet, both closed at their ends; parallel segments
/// never meet. All arithmetic in 32-bit floats.
bool SegmentsIntersect(ViewPoint p1, ViewPoint p2, ViewPoint q1, ViewPoint q2);

/// The probe of the inside test: from the point 1000 world units up and right on both axes.
inline constexpr float kProbeLength = 1000.0f;

/// Whether a point lies inside a surface's outline by the parity of the outline's crossings
/// with the probe. An outline of fewer than three corners contains nothing.
bool OutlineContains(const level::Level& level, const mapview::Outline& outline,
                     mapview::ViewAxes axes, ViewPoint point);

/// The point's coordinates on the view's two axes.
ViewPoint OnAxes(mapview::ViewAxes axes, const mapview::WorldPoint& point);
ViewPoint OnAxes(mapview::ViewAxes axes, const level::Vertex& vertex);

}  // namespace kx::editing
