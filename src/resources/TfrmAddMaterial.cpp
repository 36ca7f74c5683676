#include "resources/TfrmAddMaterial.h"

#include "platform/CommandRouter.h"
#include "properties/MaterialCatalog.h"
#include "resources/QtMatPreview.h"
#include "shell/QtText.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace kx::resources {

TfrmAddMaterial::TfrmAddMaterial(QWidget* parent, platform::Ui& ui) : QDialog(parent), m_ui(ui) {
  setObjectName("frmAddMaterial");
  setWindowTitle("Add material");
  setFixedSize(486, 384);
  setModal(true);

  auto* grpAll = new QGroupBox("Project and game: ", this);
  grpAll->setGeometry(8, 8, 180, 334);
  m_edtFilter = new QLineEdit(grpAll);
  m_edtFilter->setObjectName("edtFilter");
  m_edtFilter->setGeometry(8, 22, 164, 22);
  m_edtFilter->setPlaceholderText("Filter");
  m_edtFilter->setAccessibleName("Filter");
  m_edtFilter->setClearButtonEnabled(true);
  connect(m_edtFilter, &QLineEdit::textChanged, this, &TfrmAddMaterial::edtFilterChange);
  m_lstAll = new QListWidget(grpAll);
  m_lstAll->setObjectName("lstAll");
  m_lstAll->setGeometry(8, 50, 164, 276);
  m_lstAll->setAccessibleName("Materials to add");
  connect(m_lstAll, &QListWidget::currentRowChanged, this, &TfrmAddMaterial::lstAllClick);
  connect(m_lstAll, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

  const PreviewSide side = AddPreviewSide(*this, ui);
  m_preview = side.preview;
  m_lblInfo = side.lblInfo;
}

std::optional<std::string> TfrmAddMaterial::Execute(std::vector<std::string> names,
                                                    const Palette& palette,
                                                    const ResourcePaths& paths) {
  m_names = std::move(names);
  m_preview->SetPaths(paths);
  m_preview->SetPalette(palette);
  m_preview->Open();
  m_lblInfo->clear();
  // Setting the filter's text refills the list.
  if (m_edtFilter->text().isEmpty()) {
    edtFilterChange();
  } else {
    m_edtFilter->clear();
  }
  m_edtFilter->setFocus();
  const int result = exec();
  const int row = m_lstAll->currentRow();
  m_preview->Close();
  if (result != Accepted || row < 0 || static_cast<std::size_t>(row) >= m_shown.size()) {
    return std::nullopt;
  }
  return m_shown[static_cast<std::size_t>(row)];
}

void TfrmAddMaterial::edtFilterChange() {
  m_shown = properties::FilterNames(m_names, m_edtFilter->text().toLatin1().toStdString());
  const QSignalBlocker quiet(m_lstAll);
  m_lstAll->clear();
  for (const auto& name : m_shown) m_lstAll->addItem(shell::DisplayText(name));
  // The first that is left is the one to preview, so that Enter adds it.
  if (m_shown.empty()) {
    m_preview->Open();
    m_lblInfo->clear();
  } else {
    m_lstAll->setCurrentRow(0);
    lstAllClick();
  }
}

void TfrmAddMaterial::lstAllClick() {
  const int row = m_lstAll->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= m_shown.size()) return;
  platform::RunCommand(m_ui, [&] { m_preview->LoadMat(m_shown[static_cast<std::size_t>(row)]); });
  m_lblInfo->setText(m_preview->InfoText());
}

}  // namespace kx::resources
