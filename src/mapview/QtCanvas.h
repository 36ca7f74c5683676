#pragma once

#include "mapview/Canvas.h"
#include "mapview/PixelCanvas.h"

#include <QImage>
#include <QPainter>
#include <QPoint>

namespace kx::mapview {

/// A Canvas that paints a QImage with QPainter, antialiasing off. The painter is active for
/// the canvas's lifetime.
class QtCanvas final : public Canvas {
 public:
  explicit QtCanvas(QImage& image);

  void SetPen(Colour colour) override;
  void SetNoPen() override;
  void SetFill(Colour colour) override;
  void SetNoFill() override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void SetPixel(int x, int y, Colour colour) override;

 private:
  QPainter m_painter;
  QColor m_penColour;
  QColor m_fillColour;
  bool m_hasPen = true;
  bool m_hasFill = false;
  QPoint m_position;
};

/// The pixels of a PixelCanvas as a QImage (Format_RGB32) that shares its buffer, without a
/// copy. Valid while the canvas lives.
QImage QtImageOf(PixelCanvas& canvas);
QImage QtImageOf(const PixelCanvas& canvas);

}  // namespace kx::mapview
