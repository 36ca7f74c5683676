#include "shell/ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace kx::shell {

namespace {

constexpr int kSide = 20;

const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 245);
const QColor kFolder(222, 184, 92);
const QColor kDisk(60, 90, 160);
const QColor kHighlight(0, 170, 200);

void DrawNew(QPainter& p) {
  QPolygonF page({{4.5, 1.5}, {12.5, 1.5}, {16.5, 5.5}, {16.5, 18.5}, {4.5, 18.5}});
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawPolygon(page);
  p.drawPolyline(QPolygonF({{12.5, 1.5}, {12.5, 5.5}, {16.5, 5.5}}));
  p.setPen(QPen(kHighlight, 2));
  p.drawLine(QPointF(7, 13), QPointF(14, 13));
  p.drawLine(QPointF(10.5, 9.5), QPointF(10.5, 16.5));
}

void DrawOpen(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kFolder.darker(115));
  p.drawPolygon(
      QPolygonF({{1.5, 4.5}, {7.5, 4.5}, {9.5, 6.5}, {16.5, 6.5}, {16.5, 16.5}, {1.5, 16.5}}));
  p.setBrush(kFolder);
  p.drawPolygon(QPolygonF({{1.5, 16.5}, {4.5, 9.5}, {19.0, 9.5}, {16.5, 16.5}}));
}

void DrawSave(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kDisk);
  p.drawRect(QRectF(2.5, 2.5, 15, 15));
  p.setBrush(kPaper);
  p.drawRect(QRectF(5.5, 2.5, 9, 6));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(5.5, 11.5, 9, 6));
  p.fillRect(QRectF(11, 3.5, 2, 4), kInk);
}

void DrawPreview3d(QPainter& p) {
  // A cube in cabinet projection.
  const QPointF front[4] = {{3.5, 7.5}, {13.5, 7.5}, {13.5, 17.5}, {3.5, 17.5}};
  const QPointF shift(4, -5);
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(150, 190, 230));
  p.drawPolygon(QPolygonF({front[0], front[0] + shift, front[1] + shift, front[1]}));
  p.setBrush(QColor(100, 140, 190));
  p.drawPolygon(QPolygonF({front[1], front[1] + shift, front[2] + shift, front[2]}));
  p.setBrush(QColor(190, 215, 240));
  p.drawPolygon(QPolygonF({front[0], front[1], front[2], front[3]}));
}

void DrawVertex(QPainter& p) {
  // Corners of a square, one of them selected as the map shows it.
  p.setPen(QPen(QColor(128, 128, 128), 1));
  p.drawRect(QRectF(4.5, 4.5, 11, 11));
  const QPointF corners[4] = {{4.5, 4.5}, {15.5, 4.5}, {15.5, 15.5}, {4.5, 15.5}};
  p.fillRect(QRectF(13, 13, 5, 5), kHighlight);
  for (const QPointF& c : corners) {
    p.fillRect(QRectF(c.x() - 1.5, c.y() - 0.5, 3, 1), kInk);
    p.fillRect(QRectF(c.x() - 0.5, c.y() - 1.5, 1, 3), kInk);
  }
}

void DrawSurface(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kHighlight);
  p.drawPolygon(QPolygonF({{2.5, 13.5}, {9.5, 4.5}, {17.5, 7.5}, {12.5, 16.5}}));
}

void DrawSector(QPainter& p) {
  // A room: a box seen from above and a little aside, its floor selected.
  p.setPen(QPen(kInk, 1));
  p.setBrush(kHighlight);
  p.drawPolygon(QPolygonF({{2.5, 14.5}, {12.5, 14.5}, {17.5, 10.5}, {7.5, 10.5}}));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(QPolygonF({{2.5, 6.5}, {12.5, 6.5}, {17.5, 2.5}, {7.5, 2.5}}));
  p.drawLine(QPointF(2.5, 6.5), QPointF(2.5, 14.5));
  p.drawLine(QPointF(12.5, 6.5), QPointF(12.5, 14.5));
  p.drawLine(QPointF(17.5, 2.5), QPointF(17.5, 10.5));
}

void DrawThing(QPainter& p) {
  // A thing as the map draws it: the circle of its model and a diagonal cross.
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(10, 10), 7.5, 7.5);
  p.setPen(QPen(kHighlight, 2));
  p.drawLine(QPointF(7, 7), QPointF(13, 13));
  p.drawLine(QPointF(13, 7), QPointF(7, 13));
}

void DrawGrid(QPainter& p) {
  // Grid lines with a vertex sitting on a crossing.
  p.setPen(QPen(QColor(128, 128, 128), 1));
  for (const double at : {4.5, 10.5, 16.5}) {
    p.drawLine(QPointF(at, 1.5), QPointF(at, 18.5));
    p.drawLine(QPointF(1.5, at), QPointF(18.5, at));
  }
  p.fillRect(QRectF(8.5, 8.5, 4, 4), kHighlight);
}

void DrawMove(QPainter& p) {
  // Four arrows out of a centre.
  p.setPen(QPen(kInk, 1.5));
  p.drawLine(QPointF(10, 2.5), QPointF(10, 17.5));
  p.drawLine(QPointF(2.5, 10), QPointF(17.5, 10));
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({{10, 1}, {7, 5}, {13, 5}}));
  p.drawPolygon(QPolygonF({{10, 19}, {7, 15}, {13, 15}}));
  p.drawPolygon(QPolygonF({{1, 10}, {5, 7}, {5, 13}}));
  p.drawPolygon(QPolygonF({{19, 10}, {15, 7}, {15, 13}}));
  p.setBrush(kHighlight);
  p.drawEllipse(QPointF(10, 10), 2.5, 2.5);
}

QPixmap Paint(void (*draw)(QPainter&), int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(side / static_cast<double>(kSide), side / static_cast<double>(kSide));
  draw(painter);
  return pixmap;
}

void DrawApplication(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(192, 192, 192));
  p.drawRoundedRect(QRectF(0.5, 0.5, 19, 19), 3, 3);
  p.setPen(QPen(QColor(128, 128, 128), 0.8));
  p.drawLine(QPointF(3, 15), QPointF(8, 4));
  p.drawLine(QPointF(8, 4), QPointF(17, 6));
  p.setPen(QPen(Qt::white, 1.2));
  p.setBrush(QColor(0, 200, 230, 110));
  p.drawPolygon(QPolygonF({{3, 15}, {8, 4}, {14, 11}}));
  p.setPen(QPen(QColor(60, 60, 60), 1.2));
  p.drawLine(QPointF(14, 11), QPointF(17, 6));
  p.drawLine(QPointF(14, 11), QPointF(16, 17));
}

}  // namespace

QIcon GlyphIcon(Glyph glyph) {
  void (*draw)(QPainter&) = nullptr;
  switch (glyph) {
    case Glyph::New:
      draw = DrawNew;
      break;
    case Glyph::Open:
      draw = DrawOpen;
      break;
    case Glyph::Save:
      draw = DrawSave;
      break;
    case Glyph::Preview3d:
      draw = DrawPreview3d;
      break;
    case Glyph::Vertex:
      draw = DrawVertex;
      break;
    case Glyph::Surface:
      draw = DrawSurface;
      break;
    case Glyph::Sector:
      draw = DrawSector;
      break;
    case Glyph::Thing:
      draw = DrawThing;
      break;
    case Glyph::Grid:
      draw = DrawGrid;
      break;
    case Glyph::Move:
      draw = DrawMove;
      break;
  }
  QIcon icon;
  icon.addPixmap(Paint(draw, kSide));
  icon.addPixmap(Paint(draw, 2 * kSide));
  return icon;
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (const int side : {16, 32, 48, 64, 128}) icon.addPixmap(Paint(DrawApplication, side));
  return icon;
}

}  // namespace kx::shell
