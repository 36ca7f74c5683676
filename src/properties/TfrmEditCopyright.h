#pragma once

#include "properties/CopyrightForm.h"

#include <QDialog>

#include <string>

class QPlainTextEdit;

namespace kx::editing {
class Editor;
}
namespace kx::platform {
class Ui;
}

namespace kx::properties {

/// The copyright dialog ("Copyright "): the level's copyright lines in a text box, one per line.
/// OK stores the text, after saying which lines a saved level would not keep as typed.
class TfrmEditCopyright final : public QDialog {
  Q_OBJECT

 public:
  TfrmEditCopyright(platform::Ui& ui, QWidget* parent = nullptr);

  /// The Edit menu's "&Copyright": fills the box from the Level, shows the dialog modally and,
  /// when it closes with OK, stores the lines as one step "Change Copyright".
  void Edit(editing::Editor& editor);

 private:
  void btnOKClick();
  /// What OK would store of the box's text.
  CopyrightCheck Checked() const;

  platform::Ui& m_ui;
  QPlainTextEdit* m_mmoCopyright;
  std::string m_opened;  // the text the box was filled with, as the Level holds it
};

}  // namespace kx::properties
