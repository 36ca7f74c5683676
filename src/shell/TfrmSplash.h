#pragma once

#include <QDialog>

class QTimer;

namespace kx::shell {

/// The splash window shown while the program starts: product, build and maker lines. It closes
/// itself when its timer fires (4000 ms), or earlier on a click or a key.
class TfrmSplash final : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kShowMilliseconds = 4000;

  explicit TfrmSplash(QWidget* parent = nullptr, int milliseconds = kShowMilliseconds);

 protected:
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTimer* m_timer;
};

}  // namespace kx::shell
