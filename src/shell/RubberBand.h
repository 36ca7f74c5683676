#pragma once

#include <QWidget>

namespace kx::shell {

/// The rubber band shpBox over the map: a one-pixel outline that inverts the pixels under it,
/// transparent inside and to the mouse.
class RubberBand final : public QWidget {
  Q_OBJECT

 public:
  explicit RubberBand(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace kx::shell
