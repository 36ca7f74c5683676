#include "properties/TfrmEditCopyright.h"

#include "editing/Editor.h"
#include "platform/Ui.h"
#include "properties/QtOkCancel.h"
#include "shell/QtText.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx::properties {

TfrmEditCopyright::TfrmEditCopyright(platform::Ui& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui) {
  setObjectName("frmEditCopyright");
  setWindowTitle("Copyright ");
  setModal(true);

  auto* group = new QGroupBox("Copyright Information: ", this);
  group->setObjectName("grpCopyright");
  m_mmoCopyright = new QPlainTextEdit(group);
  m_mmoCopyright->setObjectName("mmoCopyright");
  m_mmoCopyright->setAccessibleName("Copyright text");
  m_mmoCopyright->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_mmoCopyright->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_mmoCopyright->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Copyright texts are often pictures drawn with characters.
  m_mmoCopyright->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(m_mmoCopyright);

  QPushButton* btnOK = AddOkCancel(*this, group);
  resize(440, 580);
  connect(btnOK, &QPushButton::clicked, this, &TfrmEditCopyright::btnOKClick);
}

CopyrightCheck TfrmEditCopyright::Checked() const {
  return CheckCopyright(shell::GameText(m_mmoCopyright->toPlainText(), m_opened));
}

void TfrmEditCopyright::btnOKClick() {
  const CopyrightCheck check = Checked();
  if (!check.refusal.empty()) {
    m_ui.ShowMessage(platform::BoxKind::Error, check.refusal);
    return;
  }
  if (!check.losses.empty() && !m_ui.AskYesNo(LossesQuestion(check.losses))) return;
  accept();
}

void TfrmEditCopyright::Edit(editing::Editor& editor) {
  m_opened = CopyrightText(editor.Level().copyright);
  m_mmoCopyright->setPlainText(shell::DisplayText(m_opened));
  m_mmoCopyright->setFocus();
  if (exec() != QDialog::Accepted) return;
  const CopyrightCheck check = Checked();
  if (check.refusal.empty()) StoreCopyright(editor, check.lines);
}

}  // namespace kx::properties
