#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace kx::project {

/// The project chooser ("Open a JK project"): the registered projects' level names in the
/// order they were made. OK opens the highlighted one and is enabled only while one is; a
/// double click on an entry acts as OK. Remove closes the dialog with kRemoveResult so that the
/// highlighted project is taken off the list (the caller confirms and removes it).
class TfrmOpenProject final : public QDialog {
  Q_OBJECT

 public:
  /// The result of exec() when Remove closed the dialog.
  static constexpr int kRemoveResult = 2;

  explicit TfrmOpenProject(QWidget* parent = nullptr);

  /// Fills lstProjects with the names, none highlighted.
  void Fill(const std::vector<std::string>& levelNames);
  /// The highlighted entry, or nullopt when none is.
  std::optional<int> Highlighted() const;

 private:
  QListWidget* m_list;
  QPushButton* m_ok;
  QPushButton* m_remove;
};

}  // namespace kx::project
