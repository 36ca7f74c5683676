#include "project/TfrmSelectJKL.h"

#include "shell/QtText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx::project {

TfrmSelectJKL::TfrmSelectJKL(QWidget* parent) : QDialog(parent) {
  setObjectName("frmSelectJKL");
  setWindowTitle("Select JKL-file");
  setModal(true);
  // The dialog has no Cancel: a level is always chosen.
  setWindowFlag(Qt::WindowCloseButtonHint, false);

  auto* group = new QGroupBox("Select JKL-file to use: ", this);
  group->setObjectName("grpSelectJKL");
  auto* text = new QLabel(
      "There are more than one JKL-file within this GOB2. Please select the one to use:", group);
  text->setObjectName("lblSelectJKL");
  text->setWordWrap(true);
  m_list = new QListWidget(group);
  m_list->setObjectName("lstJKLs");
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(text);
  groupLayout->addWidget(m_list);

  auto* btnOK = new QPushButton("&OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOK);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  setFixedSize(360, 300);

  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

void TfrmSelectJKL::Fill(const std::vector<std::string>& jklNames) {
  m_list->clear();
  for (const auto& name : jklNames) m_list->addItem(shell::DisplayText(name));
  if (m_list->count() > 0) m_list->setCurrentRow(0);
}

std::optional<int> TfrmSelectJKL::Highlighted() const {
  const auto selected = m_list->selectedItems();
  if (selected.isEmpty()) return std::nullopt;
  return m_list->row(selected.front());
}

}  // namespace kx::project
