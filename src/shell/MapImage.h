#pragma once

#include "editing/MouseGesture.h"
#include "mapview/PixelCanvas.h"

#include <QWidget>

#include <functional>

namespace kx::shell {

class RubberBand;

/// The map image imgMap: shows the back buffer as it is (no copy, no scaling) and reports the
/// mouse as plain input in map pixels, whichever button is used, moves without a button too,
/// the wheel and the pointer leaving. Its size is the map's W and H.
class MapImage final : public QWidget {
  Q_OBJECT

 public:
  /// buffer gives the back buffer to show at each paint; it follows this widget's size.
  MapImage(QWidget* parent, std::function<const mapview::PixelCanvas&()> buffer);

  /// Shows the rubber band at box, or hides it.
  void ShowBand(bool visible, const editing::BandBox& box);
  RubberBand& Band() { return *m_band; }

 signals:
  void imgMapMouseDown(const kx::editing::MouseInput& input);
  void imgMapMouseMove(const kx::editing::MouseInput& input);
  void imgMapMouseUp(const kx::editing::MouseInput& input);
  void imgMapResize(QSize size);
  /// The wheel turned by angleDelta (120 a notch, positive away from the user) over at.
  void imgMapWheel(int angleDelta, QPoint at);
  void imgMapLeave();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  std::function<const mapview::PixelCanvas&()> m_buffer;
  RubberBand* m_band;
};

}  // namespace kx::shell
