#pragma once

#include "properties/HeaderForm.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace kx::editing {
class Editor;
}
namespace kx::platform {
class Ui;
}

namespace kx::properties {

/// The header dialog ("Header"): the 19 values of the level header in edit boxes under their
/// labels. OK closes it only when every box is valid; the first invalid box is named in an
/// "Error" box.
class TfrmEditHeader final : public QDialog {
  Q_OBJECT

 public:
  TfrmEditHeader(platform::Ui& ui, QWidget* parent = nullptr);

  /// The Edit menu's "&Header": fills the boxes from the Level, shows the dialog modally and,
  /// when it closes with OK, stores the boxes' values as one step "Change Header".
  void Edit(editing::Editor& editor);

  void Fill(const level::LevelHeader& header);
  HeaderTexts Texts() const;

 private:
  void btnOKClick();

  platform::Ui& m_ui;
  std::array<QLineEdit*, kHeaderFieldCount> m_boxes{};
};

}  // namespace kx::properties
