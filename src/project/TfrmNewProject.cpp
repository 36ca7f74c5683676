#include "project/TfrmNewProject.h"

#include "project/NewProjectRules.h"
#include "shell/QtText.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kx::project {

namespace {

QLineEdit* AddField(QGridLayout* grid, int row, const char* caption, const char* name,
                    const char* hint, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setToolTip(hint);
  label->setToolTip(hint);
  label->setBuddy(edit);
  grid->addWidget(label, row, 0);
  grid->addWidget(edit, row, 1);
  return edit;
}

}  // namespace

TfrmNewProject::TfrmNewProject(QWidget* parent) : QDialog(parent) {
  setObjectName("frmNewProject");
  setWindowTitle("New JK Project");
  setModal(true);

  auto* grpType = new QGroupBox("Select &type of project: ", this);
  grpType->setObjectName("grpTypeOfProject");
  m_rdbNew = new QRadioButton("Start a &new project", grpType);
  m_rdbNew->setObjectName("rdbNew");
  m_rdbNew->setChecked(true);
  m_rdbUserGOB2 = new QRadioButton("Open a &user GOB2", grpType);
  m_rdbUserGOB2->setObjectName("rdbUserGOB2");
  m_rdbLucasArts = new QRadioButton("Open a &LucasArts Original GOB2", grpType);
  m_rdbLucasArts->setObjectName("rdbLucasArts");
  m_rdbLucasArts->setEnabled(false);
  auto* typeLayout = new QVBoxLayout(grpType);
  typeLayout->addWidget(m_rdbNew);
  typeLayout->addWidget(m_rdbUserGOB2);
  typeLayout->addWidget(m_rdbLucasArts);

  m_grpNewProject = new QGroupBox("Information for new project: ", this);
  m_grpNewProject->setObjectName("grpNewProject");
  auto* newGrid = new QGridLayout(m_grpNewProject);
  m_edtName = AddField(newGrid, 0, "Level name:", "edtName",
                       "This is the name of the level visible to the end user", m_grpNewProject);
  m_edtJKL = AddField(newGrid, 1, "JKL filename:", "edtJKL",
                      "This is the internal name of the level file", m_grpNewProject);
  m_edtGOB2 = AddField(newGrid, 2, "GOB2 filename:", "edtGOB2",
                       "This is the name of the distributed GOB2 file", m_grpNewProject);
  m_edtGOB2->installEventFilter(this);

  m_grpUserGOB2 = new QGroupBox("Information for user GOB2: ", this);
  m_grpUserGOB2->setObjectName("grpUserGOB2");
  auto* userGrid = new QGridLayout(m_grpUserGOB2);
  m_edtUserGOB2 = AddField(userGrid, 0, "GOB2 filename:", "edtUserGOB2",
                           "This is the name of distributed GOB2 file", m_grpUserGOB2);
  m_edtUserGOB2->setMinimumWidth(260);
  auto* btnBrowse = new QPushButton("&Browse...", m_grpUserGOB2);
  btnBrowse->setObjectName("btnBrowse");
  btnBrowse->setAutoDefault(false);
  userGrid->addWidget(btnBrowse, 0, 2);
  m_grpUserGOB2->hide();

  m_btnOK = new QPushButton("&OK", this);
  m_btnOK->setObjectName("btnOK");
  m_btnOK->setDefault(true);
  m_btnOK->setEnabled(false);
  auto* btnCancel = new QPushButton("&Cancel", this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_btnOK);
  buttons->addWidget(btnCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grpType);
  layout->addWidget(m_grpNewProject);
  layout->addWidget(m_grpUserGOB2);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(m_rdbNew, &QRadioButton::clicked, this, &TfrmNewProject::rdbNewClick);
  connect(m_rdbUserGOB2, &QRadioButton::clicked, this, &TfrmNewProject::rdbUserGOB2Click);
  for (QLineEdit* edit : {m_edtName, m_edtJKL, m_edtGOB2}) {
    connect(edit, &QLineEdit::textChanged, this, &TfrmNewProject::ValidateNewProject);
  }
  connect(m_edtUserGOB2, &QLineEdit::textChanged, this, &TfrmNewProject::ValidateUserGob2);
  connect(btnBrowse, &QPushButton::clicked, this, &TfrmNewProject::btnBrowseClick);
  connect(m_btnOK, &QPushButton::clicked, this, &TfrmNewProject::btnOKClick);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

platform::NewProjectAnswer TfrmNewProject::Answer() const {
  platform::NewProjectAnswer answer;
  answer.kind = m_rdbUserGOB2->isChecked() ? platform::NewProjectAnswer::Kind::UserGob2
                                           : platform::NewProjectAnswer::Kind::NewProject;
  answer.levelName = m_edtName->text().toStdString();
  answer.jklName = m_edtJKL->text().toStdString();
  answer.gob2Name = m_edtGOB2->text().toStdString();
  answer.userGob2 = shell::LocalPath(m_edtUserGOB2->text());
  return answer;
}

bool TfrmNewProject::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_edtGOB2 && event->type() == QEvent::FocusOut) edtGOB2Exit();
  return QDialog::eventFilter(watched, event);
}

void TfrmNewProject::rdbNewClick() {
  m_grpUserGOB2->hide();
  m_grpNewProject->show();
  ValidateNewProject();
}

void TfrmNewProject::rdbUserGOB2Click() {
  m_grpNewProject->hide();
  m_grpUserGOB2->show();
  ValidateUserGob2();
}

void TfrmNewProject::ValidateNewProject() {
  if (!m_rdbNew->isChecked()) return;
  m_btnOK->setEnabled(NewProjectFieldsValid(m_edtName->text().toStdString(),
                                            m_edtJKL->text().toStdString(),
                                            m_edtGOB2->text().toStdString()));
}

void TfrmNewProject::ValidateUserGob2() {
  if (!m_rdbUserGOB2->isChecked()) return;
  // A folder of that name exists too, but only a file can be extracted.
  m_btnOK->setEnabled(QFileInfo(m_edtUserGOB2->text()).isFile());
}

void TfrmNewProject::edtGOB2Exit() {
  const QString completed =
      QString::fromStdString(CompleteGob2Name(m_edtGOB2->text().toStdString()));
  if (completed != m_edtGOB2->text()) m_edtGOB2->setText(completed);
}

void TfrmNewProject::btnBrowseClick() {
  const QString chosen = QFileDialog::getOpenFileName(
      this, "Open a user GOB2", QFileInfo(m_edtUserGOB2->text()).path(),
      "GOB2 JK Level (*.gob *.GOB *.Gob);;All files (*)");
  if (!chosen.isEmpty()) m_edtUserGOB2->setText(chosen);
}

void TfrmNewProject::btnOKClick() {
  // Enter in the GOB2 field closes the dialog without leaving the field.
  if (m_rdbNew->isChecked()) edtGOB2Exit();
  accept();
}

}  // namespace kx::project
