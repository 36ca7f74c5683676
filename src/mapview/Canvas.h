#pragma once

#include "mapview/Colour.h"

namespace kx::mapview {

/// The 2D drawing surface the map paints on (an off-screen bitmap). Coordinates are pixels,
/// x to the right, y downwards; anything outside the bitmap is clipped. Every shape includes
/// both of its corners: a line includes both ends, a rectangle or ellipse from (x1, y1) to
/// (x2, y2) covers columns x1..x2 and rows y1..y2, whichever corner is given first.
class Canvas {
 public:
  virtual ~Canvas() = default;

  /// The pen draws lines and the outlines of rectangles and ellipses.
  virtual void SetPen(Colour colour) = 0;
  virtual void SetNoPen() = 0;
  /// The fill paints the inside of rectangles and ellipses.
  virtual void SetFill(Colour colour) = 0;
  virtual void SetNoFill() = 0;

  virtual void MoveTo(int x, int y) = 0;
  /// A line from the current position to (x, y), which becomes the current position.
  virtual void LineTo(int x, int y) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  /// The ellipse inscribed in the box.
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  virtual void SetPixel(int x, int y, Colour colour) = 0;
};

}  // namespace kx::mapview
