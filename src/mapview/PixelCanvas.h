#pragma once

#include "mapview/Canvas.h"

#include <cstdint>
#include <vector>

namespace kx::mapview {

/// A Canvas that writes straight into a 32-bit pixel buffer (0xFFRRGGBB, rows top to bottom,
/// no padding), the layout a QImage in Format_RGB32 wraps without copying. Lines are drawn
/// with the same pixels whichever end they start from; shapes far outside the bitmap cost only
/// the part that lies on it.
class PixelCanvas final : public Canvas {
 public:
  /// Sides above this are refused; the buffer of the largest allowed bitmap is 256 MiB.
  static constexpr int kMaxSide = 8192;

  /// A width x height bitmap, every pixel black. Throws std::invalid_argument for a side below
  /// 1 or above kMaxSide.
  PixelCanvas(int width, int height);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  std::uint32_t* Bits() { return m_pixels.data(); }
  const std::uint32_t* Bits() const { return m_pixels.data(); }
  /// The pixel at (x, y), or 0 outside the bitmap.
  std::uint32_t PixelAt(int x, int y) const;
  /// Every pixel in colour.
  void Fill(Colour colour);

  void SetPen(Colour colour) override;
  void SetNoPen() override { m_hasPen = false; }
  void SetFill(Colour colour) override;
  void SetNoFill() override { m_hasFill = false; }
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void SetPixel(int x, int y, Colour colour) override;

 private:
  void Line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
  template <bool kYMajor>
  void MajorAxisLine(std::int64_t m0, std::int64_t n0, std::int64_t m1, std::int64_t n1);
  /// Paints columns left..right of row y, clipped to the bitmap.
  void Span(std::int64_t y, std::int64_t left, std::int64_t right, std::uint32_t pixel);

  int m_width;
  int m_height;
  std::vector<std::uint32_t> m_pixels;
  std::uint32_t m_pen = 0xFF000000u;
  std::uint32_t m_fill = 0xFF000000u;
  bool m_hasPen = true;
  bool m_hasFill = false;
  std::int64_t m_x = 0;
  std::int64_t m_y = 0;
};

}  // namespace kx::mapview
