#pragma once

#include <QWidget>

namespace kx::shell {

/// The divider shpMover between the property panel and the map: invisible, behind both panels,
/// so only the gap between them shows its split cursor. Reports its drag in client pixels.
class Divider final : public QWidget {
  Q_OBJECT

 public:
  explicit Divider(QWidget* parent);

 signals:
  void shpMoverMouseDown();
  void shpMoverMouseMove(int x);
  void shpMoverMouseUp();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace kx::shell
