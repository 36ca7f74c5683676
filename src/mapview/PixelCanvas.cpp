#include "mapview/PixelCanvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

namespace kx::mapview {

namespace {

using std::int64_t;

// Coordinates are kept within +-2^28 so that the products of the line stepping fit in 64 bits;
// anything that far out is off every bitmap anyway.
constexpr int64_t kCoordinateLimit = int64_t{1} << 28;

int64_t Limited(int64_t value) {
  return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

int64_t FloorDiv(int64_t numerator, int64_t denominator) {  // denominator > 0
  int64_t quotient = numerator / denominator;
  if (numerator % denominator != 0 && numerator < 0) --quotient;
  return quotient;
}

// The lowest value in [low, high] for which holds() is true, holds() being false below some
// point and true from it on; high + 1 when it is never true.
template <typename Predicate>
int64_t LowestWhere(int64_t low, int64_t high, Predicate holds) {
  int64_t end = high + 1;
  while (low < end) {
    const int64_t middle = low + (end - low) / 2;
    if (holds(middle)) {
      end = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

struct ColumnRange {
  int64_t left = 1;
  int64_t right = 0;  // empty when left > right
  bool Empty() const { return left > right; }
};

// The ellipse inscribed in a box of whole pixels: its outline passes through the outer edges of
// the box's border pixels, so the pixels whose centres it encloses fill the box exactly.
struct EllipseShape {
  int64_t x1, y1, x2, y2;
  double cx, cy, a, b;

  EllipseShape(int64_t left, int64_t top, int64_t right, int64_t bottom)
      : x1(left), y1(top), x2(right), y2(bottom) {
    cx = (static_cast<double>(x1) + static_cast<double>(x2)) / 2.0;
    cy = (static_cast<double>(y1) + static_cast<double>(y2)) / 2.0;
    a = (static_cast<double>(x2) - static_cast<double>(x1)) / 2.0 + 0.5;
    b = (static_cast<double>(y2) - static_cast<double>(y1)) / 2.0 + 0.5;
  }

  ColumnRange Row(int64_t y) const {
    if (y < y1 || y > y2) return {};
    const double t = (static_cast<double>(y) - cy) / b;
    const double half = a * std::sqrt(std::max(0.0, 1.0 - t * t));
    const auto left = static_cast<int64_t>(std::ceil(cx - half));
    const auto right = static_cast<int64_t>(std::floor(cx + half));
    return {std::max(x1, left), std::min(x2, right)};
  }
};

}  // namespace

PixelCanvas::PixelCanvas(int width, int height) : m_width(width), m_height(height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
    throw std::invalid_argument("a bitmap of " + std::to_string(width) + "x" +
                                std::to_string(height) + " pixels is not allowed (1 to " +
                                std::to_string(kMaxSide) + " pixels a side)");
  }
  m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xFF000000u);
}

std::uint32_t PixelCanvas::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                  static_cast<std::size_t>(x)];
}

void PixelCanvas::Fill(Colour colour) {
  std::fill(m_pixels.begin(), m_pixels.end(), colour.Rgb32());
}

void PixelCanvas::SetPen(Colour colour) {
  m_pen = colour.Rgb32();
  m_hasPen = true;
}

void PixelCanvas::SetFill(Colour colour) {
  m_fill = colour.Rgb32();
  m_hasFill = true;
}

void PixelCanvas::MoveTo(int x, int y) {
  m_x = Limited(x);
  m_y = Limited(y);
}

void PixelCanvas::LineTo(int x, int y) {
  const int64_t x0 = m_x;
  const int64_t y0 = m_y;
  MoveTo(x, y);
  if (m_hasPen) Line(x0, y0, m_x, m_y);
}

void PixelCanvas::SetPixel(int x, int y, Colour colour) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
           static_cast<std::size_t>(x)] = colour.Rgb32();
}

void PixelCanvas::Span(int64_t y, int64_t left, int64_t right, std::uint32_t pixel) {
  if (y < 0 || y >= m_height) return;
  left = std::max<int64_t>(left, 0);
  right = std::min<int64_t>(right, m_width - 1);
  if (left > right) return;
  std::uint32_t* row = m_pixels.data() + y * m_width;
  std::fill(row + left, row + right + 1, pixel);
}

void PixelCanvas::Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  if (std::abs(x1 - x0) >= std::abs(y1 - y0)) {
    MajorAxisLine<false>(x0, y0, x1, y1);
  } else {
    MajorAxisLine<true>(y0, x0, y1, x1);
  }
}

// Bresenham's line along its major axis m, with the minor coordinate n of each step rounded
// (halves upwards) from the exact line. The ends are ordered first, so a shared edge drawn by
// two neighbouring surfaces in opposite directions lights the same pixels.
template <bool kYMajor>
void PixelCanvas::MajorAxisLine(int64_t m0, int64_t n0, int64_t m1, int64_t n1) {
  if (m1 < m0) {
    std::swap(m0, m1);
    std::swap(n0, n1);
  }
  const int64_t majorSize = kYMajor ? m_height : m_width;
  const int64_t minorSize = kYMajor ? m_width : m_height;
  const int64_t dm = m1 - m0;
  const int64_t dn = n1 - n0;
  if (dm == 0) {
    if (m0 >= 0 && m0 < majorSize && n0 >= 0 && n0 < minorSize) {
      m_pixels[static_cast<std::size_t>(kYMajor ? m0 * m_width + n0 : n0 * m_width + m0)] = m_pen;
    }
    return;
  }
  const int64_t twoDm = 2 * dm;
  const auto minorAt = [&](int64_t m) { return n0 + FloorDiv(2 * (m - m0) * dn + dm, twoDm); };

  int64_t first = std::max<int64_t>(m0, 0);
  int64_t last = std::min<int64_t>(m1, majorSize - 1);
  if (first > last) return;
  // The minor coordinate only grows (or only shrinks) along the line, so the steps that land on
  // the bitmap form one run.
  const auto onBitmap = [&](int64_t n) { return n >= 0 && n < minorSize; };
  if (!onBitmap(minorAt(first)) || !onBitmap(minorAt(last))) {
    if (dn >= 0) {
      first = LowestWhere(first, last, [&](int64_t m) { return minorAt(m) >= 0; });
      last = LowestWhere(first, last, [&](int64_t m) { return minorAt(m) >= minorSize; }) - 1;
    } else {
      first = LowestWhere(first, last, [&](int64_t m) { return minorAt(m) < minorSize; });
      last = LowestWhere(first, last, [&](int64_t m) { return minorAt(m) < 0; }) - 1;
    }
    if (first > last) return;
  }

  const int64_t numerator = 2 * (first - m0) * dn + dm;
  const int64_t quotient = FloorDiv(numerator, twoDm);
  int64_t remainder = numerator - quotient * twoDm;
  const int64_t n = n0 + quotient;
  const int64_t step = 2 * dn;
  const std::ptrdiff_t majorStride = kYMajor ? m_width : 1;
  const std::ptrdiff_t minorStride = kYMajor ? 1 : m_width;
  std::uint32_t* pixel = m_pixels.data() + (kYMajor ? first * m_width + n : n * m_width + first);
  const std::uint32_t colour = m_pen;
  if (step >= 0) {
    for (int64_t m = first; m <= last; ++m) {
      *pixel = colour;
      pixel += majorStride;
      remainder += step;
      if (remainder >= twoDm) {
        remainder -= twoDm;
        pixel += minorStride;
      }
    }
  } else {
    for (int64_t m = first; m <= last; ++m) {
      *pixel = colour;
      pixel += majorStride;
      remainder += step;
      if (remainder < 0) {
        remainder += twoDm;
        pixel -= minorStride;
      }
    }
  }
}

void PixelCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const int64_t left = std::min(x1, x2);
  const int64_t right = std::max(x1, x2);
  const int64_t top = std::max<int64_t>(std::min(y1, y2), -1);
  const int64_t bottom = std::min<int64_t>(std::max(y1, y2), m_height);
  if (m_hasFill) {
    const int64_t inset = m_hasPen ? 1 : 0;
    for (int64_t y = top + inset; y <= bottom - inset; ++y)
      Span(y, left + inset, right - inset, m_fill);
  }
  if (!m_hasPen) return;
  Span(top, left, right, m_pen);
  Span(bottom, left, right, m_pen);
  for (int64_t y = top; y <= bottom; ++y) {
    Span(y, left, left, m_pen);
    Span(y, right, right, m_pen);
  }
}

void PixelCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const EllipseShape shape(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
  const int64_t top = std::max<int64_t>(shape.y1, 0);
  const int64_t bottom = std::min<int64_t>(shape.y2, m_height - 1);
  for (int64_t y = top; y <= bottom; ++y) {
    const ColumnRange row = shape.Row(y);
    if (row.Empty()) continue;
    if (m_hasFill) Span(y, row.left, row.right, m_fill);
    if (!m_hasPen) continue;
    // A pixel is on the outline when a pixel beside, above or below it is outside.
    const ColumnRange above = shape.Row(y - 1);
    const ColumnRange below = shape.Row(y + 1);
    if (above.Empty() || below.Empty()) {
      Span(y, row.left, row.right, m_pen);
      continue;
    }
    const int64_t innerLeft = std::max(above.left, below.left);
    const int64_t innerRight = std::min(above.right, below.right);
    Span(y, row.left, std::max(row.left, innerLeft - 1), m_pen);
    Span(y, std::min(row.right, innerRight + 1), row.right, m_pen);
  }
}

}  // namespace kx::mapview
