#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;

namespace kx::editing {
class Editor;
}
namespace kx::platform {
class Ui;
}

namespace kx::properties {

/// The episode dialog ("Episode Information"): the episode's name and its type.
class TfrmEpisodeInfo final : public QDialog {
  Q_OBJECT

 public:
  TfrmEpisodeInfo(platform::Ui& ui, QWidget* parent = nullptr);

  /// The Edit menu's "&Episode Info": fills the name and selects the type's list item (none for
  /// a type the list does not hold), shows the dialog modally and, when it closes with OK,
  /// stores the name and the chosen type as one step "Change Episode Info"; with no item
  /// chosen the type stays as it was.
  void Edit(editing::Editor& editor);

 private:
  void btnOKClick();

  platform::Ui& m_ui;
  QLineEdit* m_edtEpisodeName;
  QComboBox* m_cboEpisodeType;
};

}  // namespace kx::properties
