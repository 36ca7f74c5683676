#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QProgressBar;

namespace kx::shell {

/// The progress window of the long reads (extracting an archive, reading a level, reading the
/// models' radii): a tool window above the others, without a close box, that the user cannot
/// close. Its users set its captions, show it, update it per item and hide it at the end.
class TfrmUngobing final : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmUngobing(QWidget* parent = nullptr);

  /// Sets the captions and the bar's range 0..maximum with the position at 0.
  void Begin(const QString& caption, const QString& groupCaption, int maximum);
  void SetMaximum(int maximum);
  void SetItem(const QString& text);
  void SetPosition(int position);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QGroupBox* m_group;
  QLabel* m_item;
  QProgressBar* m_bar;
};

}  // namespace kx::shell
