#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QListWidget;

namespace kx::project {

/// The JKL chooser ("Select JKL-file") shown when an archive holds several levels: a list and
/// one OK button; a double click on an entry acts as OK.
class TfrmSelectJKL final : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmSelectJKL(QWidget* parent = nullptr);

  /// Fills lstJKLs with the names, the first highlighted: it is the level taken when the user
  /// picks none.
  void Fill(const std::vector<std::string>& jklNames);
  /// The highlighted entry, or nullopt when none is.
  std::optional<int> Highlighted() const;

 private:
  QListWidget* m_list;
};

}  // namespace kx::project
