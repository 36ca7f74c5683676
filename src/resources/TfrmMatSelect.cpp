#include "resources/TfrmMatSelect.h"

#include "platform/CommandRouter.h"
#include "project/ProjectValues.h"
#include "properties/MaterialCatalog.h"
#include "resources/QtMatPreview.h"
#include "resources/TfrmAddMaterial.h"
#include "shell/QtText.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace kx::resources {

namespace {

ResourcePaths PathsOf(const project::ProjectValues& values) {
  // Without a game folder there is no resource archive to look in.
  return {values.ProjectDir,
          values.JKDir.empty() ? std::filesystem::path() : project::ResourceArchivePath(values)};
}

}  // namespace

TfrmMatSelect::TfrmMatSelect(QWidget* parent, editing::Editor& editor, platform::Ui& ui)
    : QDialog(parent), m_editor(editor), m_ui(ui) {
  setObjectName("frmMatSelect");
  setWindowTitle("Select material");
  setFixedSize(486, 384);
  setModal(true);

  auto* grpMats = new QGroupBox("Materials in level: ", this);
  grpMats->setObjectName("grpMats");
  grpMats->setGeometry(8, 8, 180, 300);
  m_lstMats = new QListWidget(grpMats);
  m_lstMats->setObjectName("lstMats");
  m_lstMats->setGeometry(8, 22, 164, 238);
  m_lstMats->setAccessibleName("Materials in level");
  // The highlighted material is the selected one: a list that takes the focus makes its first
  // entry current without selecting it.
  connect(m_lstMats, &QListWidget::itemSelectionChanged, this, &TfrmMatSelect::lstMatsClick);
  // A double click is a click on OK.
  connect(m_lstMats, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  m_btnAdd = new QPushButton("Add material", grpMats);
  m_btnAdd->setObjectName("btnAdd");
  m_btnAdd->setGeometry(8, 266, 164, 26);
  connect(m_btnAdd, &QPushButton::clicked, this, &TfrmMatSelect::btnAddClick);

  auto* grpPalette = new QGroupBox("Colormap: ", this);
  grpPalette->setObjectName("grpPalette");
  grpPalette->setGeometry(8, 312, 180, 56);
  m_cboPalette = new QComboBox(grpPalette);
  m_cboPalette->setObjectName("cboPalette");
  m_cboPalette->setGeometry(8, 24, 164, 24);
  m_cboPalette->setAccessibleName("Colormap");
  connect(m_cboPalette, &QComboBox::currentIndexChanged, this, &TfrmMatSelect::cboPaletteChange);

  const PreviewSide side = AddPreviewSide(*this, ui);
  m_preview = side.preview;
  m_lblInfo = side.lblInfo;

  m_addMaterial = new TfrmAddMaterial(this, ui);
}

bool TfrmMatSelect::Run(const std::function<void()>& command) {
  return platform::RunCommand(m_ui, command);
}

std::optional<int> TfrmMatSelect::Execute(const std::string& current) {
  FormShow(current);
  const int result = exec();
  const auto selected = m_lstMats->selectedItems();
  const int row = selected.isEmpty() ? -1 : m_lstMats->row(selected.front());
  FormHide();
  if (result != Accepted || row < 0) return std::nullopt;
  return row;
}

void TfrmMatSelect::FormShow(const std::string& current) {
  const level::Level& level = m_editor.Level();
  int highlighted = -1;
  for (int i = 0; i < level.materials.Used() && highlighted < 0; ++i) {
    if (level.materials[i].name == current) highlighted = i;
  }
  FillMaterials(highlighted);
  m_preview->SetPaths(PathsOf(m_editor.Values()));
  {
    const QSignalBlocker quiet(m_cboPalette);
    m_cboPalette->clear();
    for (int i = 0; i < level.colormaps.Used(); ++i) {
      m_cboPalette->addItem(shell::DisplayText(level.colormaps[i]));
    }
    m_cboPalette->setCurrentIndex(level.colormaps.Used() > 0 ? 0 : -1);
  }
  if (level.colormaps.Used() > 0) Run([&] { m_preview->LoadColormap(level.colormaps[0]); });
  m_preview->Open();
  ShowInfo();
  if (!current.empty()) LoadMat(current);
  m_lstMats->setFocus();
}

void TfrmMatSelect::FormHide() {
  m_preview->Close();
}

void TfrmMatSelect::FillMaterials(int highlighted) {
  const level::Level& level = m_editor.Level();
  const QSignalBlocker quiet(m_lstMats);
  m_lstMats->clear();
  for (int i = 0; i < level.materials.Used(); ++i) {
    m_lstMats->addItem(shell::DisplayText(level.materials[i].name));
  }
  if (highlighted >= 0) {
    m_lstMats->setCurrentRow(highlighted);
  } else {
    m_lstMats->setCurrentRow(-1);
    m_lstMats->clearSelection();
  }
}

void TfrmMatSelect::LoadMat(const std::string& name) {
  Run([&] { m_preview->LoadMat(name); });
  ShowInfo();
}

void TfrmMatSelect::ShowInfo() {
  m_lblInfo->setText(m_preview->InfoText());
}

void TfrmMatSelect::lstMatsClick() {
  const auto selected = m_lstMats->selectedItems();
  if (selected.isEmpty()) return;
  const int row = m_lstMats->row(selected.front());
  const level::Level& level = m_editor.Level();
  if (!level.materials.InUse(row)) return;
  LoadMat(level.materials[row].name);
}

void TfrmMatSelect::cboPaletteChange() {
  const int index = m_cboPalette->currentIndex();
  const level::Level& level = m_editor.Level();
  if (!level.colormaps.InUse(index)) return;
  // The preview shows the new colours at the next tick of its timer.
  Run([&] { m_preview->LoadColormap(level.colormaps[index]); });
}

void TfrmMatSelect::btnAddClick() {
  Run([&] {
    const ResourcePaths paths = PathsOf(m_editor.Values());
    auto names = properties::ListGameMaterials(paths, m_ui);
    const auto chosen =
        m_addMaterial->Execute(std::move(names), m_preview->State().CurrentPalette(), paths);
    // Back on the list, Enter takes the highlighted material rather than adding another.
    m_lstMats->setFocus();
    if (!chosen) return;
    const auto added = properties::AddMaterial(m_editor, *chosen, m_ui);
    if (added.index < 0) return;
    FillMaterials(added.index);
    LoadMat(m_editor.Level().materials[added.index].name);
  });
}

}  // namespace kx::resources
