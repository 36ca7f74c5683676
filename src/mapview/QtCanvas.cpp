#include "mapview/QtCanvas.h"

#include <QPen>
#include <QRect>

#include <algorithm>

namespace kx::mapview {

static QColor ToQColor(Colour colour) {
  return QColor(colour.r, colour.g, colour.b);
}

// The inclusive box of two corners given in any order.
static QRect BoxOf(int x1, int y1, int x2, int y2) {
  return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
               QPoint(std::max(x1, x2), std::max(y1, y2)));
}

QtCanvas::QtCanvas(QImage& image) : m_painter(&image) {
  m_painter.setRenderHint(QPainter::Antialiasing, false);
  m_penColour = Qt::black;
  m_fillColour = Qt::black;
}

void QtCanvas::SetPen(Colour colour) {
  m_penColour = ToQColor(colour);
  m_hasPen = true;
}

void QtCanvas::SetNoPen() {
  m_hasPen = false;
}

void QtCanvas::SetFill(Colour colour) {
  m_fillColour = ToQColor(colour);
  m_hasFill = true;
}

void QtCanvas::SetNoFill() {
  m_hasFill = false;
}

void QtCanvas::MoveTo(int x, int y) {
  m_position = QPoint(x, y);
}

void QtCanvas::LineTo(int x, int y) {
  const QPoint to(x, y);
  if (m_hasPen) {
    // A one-pixel pen with square caps draws both ends of an aliased line.
    m_painter.setPen(QPen(m_penColour, 1, Qt::SolidLine, Qt::SquareCap));
    m_painter.drawLine(m_position, to);
  }
  m_position = to;
}

void QtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const QRect box = BoxOf(x1, y1, x2, y2);
  if (m_hasFill) m_painter.fillRect(box, m_fillColour);
  if (m_hasPen) {
    m_painter.setPen(QPen(m_penColour, 1));
    m_painter.setBrush(Qt::NoBrush);
    // An aliased outline of a w x h rectangle covers w + 1 by h + 1 pixels.
    m_painter.drawRect(box.adjusted(0, 0, -1, -1));
  }
}

void QtCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const QRect box = BoxOf(x1, y1, x2, y2);
  m_painter.setPen(m_hasPen ? QPen(m_penColour, 1) : QPen(Qt::NoPen));
  m_painter.setBrush(m_hasFill ? QBrush(m_fillColour) : QBrush(Qt::NoBrush));
  m_painter.drawEllipse(box.adjusted(0, 0, -1, -1));
}

void QtCanvas::SetPixel(int x, int y, Colour colour) {
  m_painter.fillRect(QRect(x, y, 1, 1), ToQColor(colour));
}

QImage QtImageOf(PixelCanvas& canvas) {
  return QImage(reinterpret_cast<uchar*>(canvas.Bits()), canvas.Width(), canvas.Height(),
                static_cast<qsizetype>(canvas.Width()) * 4, QImage::Format_RGB32);
}

QImage QtImageOf(const PixelCanvas& canvas) {
  return QImage(reinterpret_cast<const uchar*>(canvas.Bits()), canvas.Width(), canvas.Height(),
                static_cast<qsizetype>(canvas.Width()) * 4, QImage::Format_RGB32);
}

}  // namespace kx::mapview
