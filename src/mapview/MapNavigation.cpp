#include "mapview/MapNavigation.h"

#include <cmath>
#include <cstdio>

namespace kx::mapview {

namespace {

constexpr int kNotch = 120;

double AxisA(const MapView& view, const WorldPoint& p) {
  return view.view == View::Right ? p.y : p.x;
}

double AxisB(const MapView& view, const WorldPoint& p) {
  return view.view == View::Top ? p.y : p.z;
}

std::string Coordinate(double value) {
  char text[48];
  std::snprintf(text, sizeof text, "%.3f", value);
  // A value that rounds to zero is shown without a sign.
  if (std::string(text) == "-0.000") return "0.000";
  return text;
}

}  // namespace

bool ZoomAboutPixel(MapView& view, PanelSize size, PixelPoint at, bool in) {
  const WorldPoint under = view.UnprojectPoint(at.x, at.y, size);
  // The keypad's step sets the scale and keeps the hidden axis's centre; the two shown axes
  // are then placed so that the point under the pixel stays there.
  if (!(in ? view.ZoomIn(size) : view.ZoomOut(size))) return false;
  const double scale = view.scale;
  view.OriginA() = static_cast<float>(AxisA(view, under) - at.x / scale);
  view.OriginB() = static_cast<float>(AxisB(view, under) - (size.height - at.y) / scale);
  return true;
}

int WheelNotches::Add(int angleDelta) {
  // Turning back starts afresh rather than first undoing what was left over.
  if ((angleDelta > 0 && m_rest < 0) || (angleDelta < 0 && m_rest > 0)) m_rest = 0;
  m_rest += angleDelta;
  const int notches = m_rest / kNotch;
  m_rest -= notches * kNotch;
  return notches;
}

PanDrag::PanDrag(const MapView& view, PixelPoint start)
    : m_start(start),
      m_view(view.view),
      m_scale(view.scale),
      m_originA(view.OriginA()),
      m_originB(view.OriginB()) {}

void PanDrag::MoveTo(MapView& view, PixelPoint pointer) {
  if (view.view != m_view || view.scale != m_scale) {
    *this = PanDrag(view, pointer);
    return;
  }
  // From the origin at the start, not step by step, so that rounding never adds up.
  const double scale = view.scale;
  view.OriginA() = static_cast<float>(m_originA - (pointer.x - m_start.x) / scale);
  view.OriginB() = static_cast<float>(m_originB + (pointer.y - m_start.y) / scale);
}

std::string PointerPositionText(const MapView& view, PanelSize size, PixelPoint at) {
  const WorldPoint under = view.UnprojectPoint(at.x, at.y, size);
  return Coordinate(AxisA(view, under)) + ", " + Coordinate(AxisB(view, under));
}

std::string ScaleText(float scale) {
  char text[48];
  std::snprintf(text, sizeof text, scale >= 1000 ? "%.0f px/unit" : "%.4g px/unit",
                static_cast<double>(scale));
  return text;
}

void CentreOn(MapView& view, PanelSize size, const WorldPoint& point) {
  view.originX = static_cast<float>(point.x - view.ExtentX(size) / 2.0);
  view.originY = static_cast<float>(point.y - view.ExtentY(size) / 2.0);
  view.originZ = static_cast<float>(point.z - view.ExtentZ(size) / 2.0);
}

}  // namespace kx::mapview
