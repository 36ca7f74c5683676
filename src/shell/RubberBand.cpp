#include "shell/RubberBand.h"

#include <QPainter>

namespace kx::shell {

RubberBand::RubberBand(QWidget* parent) : QWidget(parent) {
  setObjectName("shpBox");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  hide();
}

void RubberBand::paintEvent(QPaintEvent*) {
  // A black pen in not-XOR mode: every pixel of the outline is inverted, so the band shows on
  // any colour the map has there.
  QPainter painter(this);
  painter.setCompositionMode(QPainter::RasterOp_NotDestination);
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace kx::shell
