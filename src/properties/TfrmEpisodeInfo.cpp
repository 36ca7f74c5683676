#include "properties/TfrmEpisodeInfo.h"

#include "editing/Editor.h"
#include "platform/Ui.h"
#include "properties/EpisodeForm.h"
#include "properties/QtOkCancel.h"
#include "shell/QtText.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx::properties {

TfrmEpisodeInfo::TfrmEpisodeInfo(platform::Ui& ui, QWidget* parent) : QDialog(parent), m_ui(ui) {
  setObjectName("frmEpisodeInfo");
  setWindowTitle("Episode Information");
  setModal(true);

  auto* group = new QGroupBox("EPISODE.JK ", this);
  group->setObjectName("grpEpisode");
  m_edtEpisodeName = new QLineEdit(group);
  m_edtEpisodeName->setObjectName("edtEpisodeName");
  m_edtEpisodeName->setAccessibleName("Episode name");
  m_edtEpisodeName->setMinimumWidth(240);
  m_cboEpisodeType = new QComboBox(group);
  m_cboEpisodeType->setObjectName("cboEpisodeType");
  m_cboEpisodeType->setAccessibleName("Episode type");
  m_cboEpisodeType->setEditable(false);
  for (int i = 0; i < static_cast<int>(kEpisodeTypes.size()); ++i) {
    const std::string_view item = EpisodeTypeItem(i);
    m_cboEpisodeType->addItem(
        QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size())));
  }
  auto* lblName = new QLabel("Episode &name:", group);
  lblName->setBuddy(m_edtEpisodeName);
  auto* lblType = new QLabel("Episode &type:", group);
  lblType->setBuddy(m_cboEpisodeType);
  auto* fields = new QVBoxLayout(group);
  fields->addWidget(lblName);
  fields->addWidget(m_edtEpisodeName);
  fields->addWidget(lblType);
  fields->addWidget(m_cboEpisodeType);

  QPushButton* btnOK = AddOkCancel(*this, group);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  connect(btnOK, &QPushButton::clicked, this, &TfrmEpisodeInfo::btnOKClick);
}

void TfrmEpisodeInfo::btnOKClick() {
  const std::string problem = EpisodeNameProblem(m_edtEpisodeName->text().toStdString());
  if (!problem.empty()) {
    m_ui.ShowMessage(platform::BoxKind::Error, problem);
    m_edtEpisodeName->setFocus();
    return;
  }
  accept();
}

void TfrmEpisodeInfo::Edit(editing::Editor& editor) {
  const level::EpisodeInfo original = editor.Level().episode;
  m_edtEpisodeName->setText(shell::DisplayText(original.title));
  m_cboEpisodeType->setCurrentIndex(EpisodeTypeIndex(original.type).value_or(-1));
  m_edtEpisodeName->setFocus();
  if (exec() != QDialog::Accepted) return;
  if (!EpisodeNameProblem(m_edtEpisodeName->text().toStdString()).empty()) return;
  const int chosen = m_cboEpisodeType->currentIndex();
  StoreEpisode(editor, shell::GameText(m_edtEpisodeName->text(), original.title),
               chosen >= 0 ? std::optional<int>(chosen) : std::nullopt);
}

}  // namespace kx::properties
