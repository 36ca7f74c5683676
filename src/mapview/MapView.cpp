#include "mapview/MapView.h"

#include <cmath>

namespace kx::mapview {

int RoundPixel(float offset) {
  if (std::isnan(offset)) return static_cast<int>(kPixelLimit);
  if (offset > kPixelLimit) offset = kPixelLimit;
  if (offset < -kPixelLimit) offset = -kPixelLimit;
  return static_cast<int>(std::nearbyint(offset));
}

MapView MapView::AtStart(PanelSize size) {
  MapView start;
  start.ComputeVisibleWindow(size);
  return start;
}

PixelPoint MapView::ProjectPoint(float x, float y, float z, PanelSize size) const {
  return Projector(*this, size)(x, y, z);
}

WorldPoint MapView::UnprojectPoint(int px, int py, PanelSize size) const {
  const double a = static_cast<double>(px) / scale + OriginA();
  const double b = static_cast<double>(size.height - py) / scale + OriginB();
  WorldPoint point;
  switch (view) {
    case View::Top:
      point.x = a;
      point.y = b;
      break;
    case View::Front:
      point.x = a;
      point.z = b;
      break;
    case View::Right:
      point.y = a;
      point.z = b;
      break;
  }
  return point;
}

float MapView::ExtentX(PanelSize size) const {
  return static_cast<float>(size.width) / scale;
}

float MapView::ExtentY(PanelSize size) const {
  // Y runs across the panel in the Right view and up it in the others.
  const int side = view == View::Right ? size.width : size.height;
  return static_cast<float>(side) / scale;
}

float MapView::ExtentZ(PanelSize size) const {
  return static_cast<float>(size.height) / scale;
}

void MapView::ComputeVisibleWindow(PanelSize size) {
  visibleWindow.minX = originX;
  visibleWindow.minY = originY;
  visibleWindow.minZ = originZ;
  visibleWindow.maxX = originX + ExtentX(size);
  visibleWindow.maxY = originY + ExtentY(size);
  visibleWindow.maxZ = originZ + ExtentZ(size);
}

void MapView::PanView(PanDirection direction, bool fast) {
  const float step = (fast ? 128.0f : 32.0f) / scale;
  switch (direction) {
    case PanDirection::Left:
      OriginA() -= step;
      break;
    case PanDirection::Right:
      OriginA() += step;
      break;
    case PanDirection::Up:
      OriginB() += step;
      break;
    case PanDirection::Down:
      OriginB() -= step;
      break;
  }
}

bool MapView::ZoomIn(PanelSize size) {
  if (!(scale * 2.0f <= kMaxScale)) return false;
  const float ex = ExtentX(size), ey = ExtentY(size), ez = ExtentZ(size);
  scale *= 2.0f;
  originX += ex * 0.25f;
  originY += ey * 0.25f;
  originZ += ez * 0.25f;
  return true;
}

bool MapView::ZoomOut(PanelSize size) {
  if (!(scale * 0.5f >= kMinScale)) return false;
  const float ex = ExtentX(size), ey = ExtentY(size), ez = ExtentZ(size);
  scale *= 0.5f;
  originX -= ex * 0.5f;
  originY -= ey * 0.5f;
  originZ -= ez * 0.5f;
  return true;
}

bool MapView::SetScale(float newScale) {
  if (!(newScale >= kMinScale && newScale <= kMaxScale)) return false;
  scale = newScale;
  return true;
}

}  // namespace kx::mapview
