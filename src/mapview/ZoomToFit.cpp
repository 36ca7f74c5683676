#include "mapview/ZoomToFit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kx::mapview {

bool ZoomToFit(MapView& view, const level::Level& level, PanelSize size) {
  const ViewAxes axes = view.Axes();
  double minA = std::numeric_limits<double>::infinity(), maxA = -minA;
  double minB = minA, maxB = -minA;
  for (int i = 0; i < level.vertices.Used(); ++i) {
    const level::Vertex& v = level.vertices[i];
    const double a = axes.A(v.x, v.y);
    const double b = axes.B(v.y, v.z);
    if (!std::isfinite(a) || !std::isfinite(b)) continue;
    minA = std::min(minA, a), maxA = std::max(maxA, a);
    minB = std::min(minB, b), maxB = std::max(maxB, b);
  }
  if (minA > maxA || size.width < 1 || size.height < 1) return false;

  // 90% of each side is the level, 5% the margin on either side of it.
  const double usableW = 0.9 * size.width;
  const double usableH = 0.9 * size.height;
  double scale = view.scale;
  const double spanA = maxA - minA;
  const double spanB = maxB - minB;
  if (spanA > 0 || spanB > 0) {
    scale = std::numeric_limits<double>::infinity();
    if (spanA > 0) scale = std::min(scale, usableW / spanA);
    if (spanB > 0) scale = std::min(scale, usableH / spanB);
  }
  scale = std::clamp(scale, static_cast<double>(MapView::kMinScale),
                     static_cast<double>(MapView::kMaxScale));
  view.scale = static_cast<float>(scale);
  // Column x shows the world x pixels right of the origin, but row y shows it H - y pixels above
  // it: columns 0..W-1 and rows 0..H-1 are offsets 0..W-1 and 1..H. Centre the level on them.
  const double centreA = (minA + maxA) / 2.0;
  const double centreB = (minB + maxB) / 2.0;
  view.OriginA() = static_cast<float>(centreA - ((size.width - 1) / 2.0) / view.scale);
  view.OriginB() = static_cast<float>(centreB - ((size.height + 1) / 2.0) / view.scale);
  return true;
}

bool AnyVertexOnMap(const MapView& view, const level::Level& level, PanelSize size) {
  const Projector project(view, size);
  for (int i = 0; i < level.vertices.Used(); ++i) {
    const level::Vertex& v = level.vertices[i];
    const PixelPoint p = project(v.x, v.y, v.z);
    if (p.x >= 0 && p.x < size.width && p.y >= 0 && p.y < size.height) return true;
  }
  return false;
}

bool FitWhenNothingOnMap(MapView& view, const level::Level& level, PanelSize size) {
  if (AnyVertexOnMap(view, level, size)) return false;
  return ZoomToFit(view, level, size);
}

}  // namespace kx::mapview
