#include "project/TfrmOpenProject.h"

#include "shell/QtText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx::project {

TfrmOpenProject::TfrmOpenProject(QWidget* parent) : QDialog(parent) {
  setObjectName("frmOpenProject");
  setWindowTitle("Open a JK project");
  setModal(true);

  auto* group = new QGroupBox("Select a JK project to open: ", this);
  group->setObjectName("grpOpenProject");
  m_list = new QListWidget(group);
  m_list->setObjectName("lstProjects");
  m_list->setAccessibleName("Projects");
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(m_list);

  m_ok = new QPushButton("&OK", this);
  m_ok->setObjectName("btnOK");
  m_ok->setDefault(true);
  auto* cancel = new QPushButton("&Cancel", this);
  cancel->setObjectName("btnCancel");
  cancel->setAutoDefault(false);
  m_remove = new QPushButton("&Remove", this);
  m_remove->setObjectName("btnRemove");
  m_remove->setAutoDefault(false);
  m_remove->setToolTip("Takes the highlighted project off the list and deletes its folder");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_remove);
  buttons->addStretch();
  buttons->addWidget(m_ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  setFixedSize(360, 320);

  connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_remove, &QPushButton::clicked, this, [this] { done(kRemoveResult); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
    m_ok->setEnabled(Highlighted().has_value());
    m_remove->setEnabled(Highlighted().has_value());
  });
}

void TfrmOpenProject::Fill(const std::vector<std::string>& levelNames) {
  m_list->clear();
  for (const auto& name : levelNames) m_list->addItem(shell::DisplayText(name));
  m_list->clearSelection();
  m_list->setCurrentRow(-1);
  m_ok->setEnabled(false);
  m_remove->setEnabled(false);
}

std::optional<int> TfrmOpenProject::Highlighted() const {
  const auto selected = m_list->selectedItems();
  if (selected.isEmpty()) return std::nullopt;
  return m_list->row(selected.front());
}

}  // namespace kx::project
