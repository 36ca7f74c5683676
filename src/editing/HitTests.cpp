#include "editing/HitTests.h"

namespace kx::editing {

namespace {

struct Crossing {
  float den = 0;  // 0 when the segments are parallel
  float t = 0;    // position along p1-p2
  float u = 0;    // position along q1-q2
};

Crossing CrossingOf(ViewPoint p1, ViewPoint p2, ViewPoint q1, ViewPoint q2) {
  Crossing c;
  c.den = (p2.a - p1.a) * (q2.b - q1.b) - (p2.b - p1.b) * (q2.a - q1.a);
  if (c.den == 0.0f) return c;
  c.t = ((p1.b - q1.b) * (q2.a - q1.a) - (p1.a - q1.a) * (q2.b - q1.b)) / c.den;
  c.u = ((p1.b - q1.b) * (p2.a - p1.a) - (p1.a - q1.a) * (p2.b - p1.b)) / c.den;
  return c;
}

bool InUnit(float value) {
  return value >= 0.0f && value <= 1.0f;
}

}  // namespace

bool SegmentsIntersect(ViewPoint p1, ViewPoint p2, ViewPoint q1, ViewPoint q2) {
  const Crossing c = CrossingOf(p1, p2, q1, q2);
  return c.den != 0.0f && InUnit(c.t) && InUnit(c.u);
}

ViewPoint OnAxes(mapview::ViewAxes axes, const mapview::WorldPoint& point) {
  const double a = axes.view == mapview::View::Right ? point.y : point.x;
  const double b = axes.view == mapview::View::Top ? point.y : point.z;
  return {static_cast<float>(a), static_cast<float>(b)};
}

ViewPoint OnAxes(mapview::ViewAxes axes, const level::Vertex& vertex) {
  return {axes.A(vertex.x, vertex.y), axes.B(vertex.y, vertex.z)};
}

bool OutlineContains(const level::Level& level, const mapview::Outline& outline,
                     mapview::ViewAxes axes, ViewPoint point) {
  if (outline.count < 3) return false;
  const ViewPoint probeEnd{point.a + kProbeLength, point.b + kProbeLength};
  // Side of the probe's line: positive above it, 0 on it.
  const auto side = [&](ViewPoint p) { return (p.b - point.b) - (p.a - point.a); };
  int crossings = 0;
  ViewPoint p1 =
      OnAxes(axes, level.vertices[outline.vertices[static_cast<std::size_t>(outline.count - 1)]]);
  for (int k = 0; k < outline.count; ++k) {
    const ViewPoint p2 =
        OnAxes(axes, level.vertices[outline.vertices[static_cast<std::size_t>(k)]]);
    const float s1 = side(p1);
    const float s2 = side(p2);
    if ((s1 > 0.0f && s2 > 0.0f) || (s1 < 0.0f && s2 < 0.0f)) {
      // Wholly on one side of the probe's line: it cannot meet the probe. Most edges of a
      // level end here, before any division.
    } else if (s1 != 0.0f && s2 != 0.0f) {
      if (SegmentsIntersect(p1, p2, point, probeEnd)) ++crossings;
    } else if ((s1 > 0.0f) != (s2 > 0.0f)) {
      // The probe's line runs through a corner. Both edges at that corner meet the probe there;
      // counting both would call the point outside whenever its probe leaves through a corner.
      // Corners on the line count as lying below it, so the two edges count once when the
      // outline crosses the probe at the corner and not at all when it only touches it.
      const Crossing c = CrossingOf(p1, p2, point, probeEnd);
      if (c.den != 0.0f && InUnit(c.u)) ++crossings;
    }
    p1 = p2;
  }
  return crossings % 2 == 1;
}

}  // namespace kx::editing
