#include "shell/MapImage.h"

#include "mapview/QtCanvas.h"
#include "shell/RubberBand.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace kx::shell {

namespace {

editing::MouseInput InputOf(const QMouseEvent& event) {
  const QPoint at = event.position().toPoint();
  return {at.x(), at.y(), event.modifiers().testFlag(Qt::ShiftModifier),
          event.modifiers().testFlag(Qt::ControlModifier)};
}

}  // namespace

MapImage::MapImage(QWidget* parent, std::function<const mapview::PixelCanvas&()> buffer)
    : QWidget(parent), m_buffer(std::move(buffer)), m_band(new RubberBand(this)) {
  setObjectName("imgMap");
  // The whole widget is painted from the back buffer at every paint.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  // Moves without a button show the level point under the pointer; they select nothing.
  setMouseTracking(true);
}

void MapImage::ShowBand(bool visible, const editing::BandBox& box) {
  if (!visible) {
    m_band->hide();
    return;
  }
  m_band->setGeometry(box.left, box.top, box.width, box.height);
  m_band->show();
  m_band->update();
}

void MapImage::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const mapview::PixelCanvas& buffer = m_buffer();
  painter.drawImage(event->rect().topLeft(), mapview::QtImageOf(buffer), event->rect());
  // A buffer smaller than the widget (between a resize and its redraw) leaves no garbage.
  const QRect covered(0, 0, buffer.Width(), buffer.Height());
  if (!covered.contains(event->rect())) {
    const QRegion rest = QRegion(event->rect()).subtracted(covered);
    for (const QRect& r : rest) painter.fillRect(r, QColor(192, 192, 192));
  }
}

void MapImage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit imgMapResize(size());
}

void MapImage::mousePressEvent(QMouseEvent* event) {
  event->accept();
  emit imgMapMouseDown(InputOf(*event));
}

void MapImage::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  emit imgMapMouseMove(InputOf(*event));
}

void MapImage::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  emit imgMapMouseUp(InputOf(*event));
}

void MapImage::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is a press like any other.
  mousePressEvent(event);
}

void MapImage::wheelEvent(QWheelEvent* event) {
  event->accept();
  emit imgMapWheel(event->angleDelta().y(), event->position().toPoint());
}

void MapImage::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit imgMapLeave();
}

}  // namespace kx::shell
