#include "mapview/MapGrid.h"

#include "mapview/Colour.h"

#include <cmath>
#include <cstdio>

namespace kx::mapview {

double GridStep::Step() const {
  return std::ldexp(kStart, -m_halvings);
}

bool GridStep::Finer() {
  if (std::ldexp(kStart, -(m_halvings + 1)) < kLeast) return false;
  ++m_halvings;
  return true;
}

bool GridStep::Coarser() {
  if (std::ldexp(kStart, -(m_halvings - 1)) > kGreatest) return false;
  --m_halvings;
  return true;
}

std::string GridStep::Text() const {
  // Every step is a tenth times a power of two: seven decimals show the finest exactly.
  char text[32];
  std::snprintf(text, sizeof text, "%.7f", Step());
  std::string shown(text);
  while (shown.back() == '0') shown.pop_back();
  if (shown.back() == '.') shown.pop_back();
  return shown;
}

GridAxisLines GridLinesOn(const MapView& view, PanelSize size, double step, bool horizontal) {
  GridAxisLines lines;
  const double origin = horizontal ? view.OriginA() : view.OriginB();
  const double extent = (horizontal ? size.width : size.height) / static_cast<double>(view.scale);
  if (!(extent > 0) || !(step > 0) || !std::isfinite(extent)) return lines;
  // At most kMostGridLines lines fit when the extent holds fewer than that many spacings.
  while (extent / (step * static_cast<double>(lines.every)) > kMostGridLines - 1 &&
         lines.every < (1LL << 52)) {
    lines.every *= 2;
  }
  lines.spacing = step * static_cast<double>(lines.every);
  lines.first = std::ceil(origin / lines.spacing) * lines.spacing;
  const double last = std::floor((origin + extent) / lines.spacing) * lines.spacing;
  const double count = std::round((last - lines.first) / lines.spacing) + 1;
  lines.count = count > 0 ? static_cast<int>(std::min(count, double{kMostGridLines + 1})) : 0;
  return lines;
}

void DrawGrid(Canvas& canvas, const MapView& view, PanelSize size, double step) {
  const float scale = view.scale;
  for (const bool horizontal : {true, false}) {
    const GridAxisLines lines = GridLinesOn(view, size, step, horizontal);
    if (lines.count == 0) continue;
    const bool faint = lines.spacing * scale < kFaintGridSpacing;
    canvas.SetPen(faint ? colours::kFaintGrid : colours::kGrid);
    const float origin = horizontal ? view.OriginA() : view.OriginB();
    for (int k = 0; k < lines.count; ++k) {
      // The same float arithmetic as a vertex's projection, so that a vertex on a grid value
      // sits on its line.
      const float value = static_cast<float>(lines.first + k * lines.spacing);
      const int offset = RoundPixel((value - origin) * scale);
      if (horizontal) {
        canvas.MoveTo(offset, 0);
        canvas.LineTo(offset, size.height - 1);
      } else {
        canvas.MoveTo(0, size.height - offset);
        canvas.LineTo(size.width - 1, size.height - offset);
      }
    }
  }
}

double SnapToGrid(double delta, double step) {
  if (!(step > 0)) return delta;
  return std::round(delta / step) * step;
}

}  // namespace kx::mapview
