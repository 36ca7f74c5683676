#include "shell/Divider.h"

#include <QMouseEvent>

namespace kx::shell {

Divider::Divider(QWidget* parent) : QWidget(parent) {
  setObjectName("shpMover");
  setCursor(Qt::SplitHCursor);
  setFocusPolicy(Qt::NoFocus);
}

void Divider::mousePressEvent(QMouseEvent* event) {
  event->accept();
  emit shpMoverMouseDown();
}

void Divider::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  emit shpMoverMouseMove(mapToParent(event->position().toPoint()).x());
}

void Divider::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  emit shpMoverMouseUp();
}

}  // namespace kx::shell
