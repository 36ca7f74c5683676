// The main window's building commands: the grid, the move tool, extruding, duplicating things
// and checking the level.
#include "editing/TfrmExtrude.h"
#include "shell/MapImage.h"
#include "shell/MapStatus.h"
#include "shell/MessagesPanel.h"
#include "shell/QtText.h"
#include "shell/TfrmMain.h"
#include "shell/ToolGlyphs.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace kx::shell {

using mapview::EditMode;

namespace {

// Buttons beside the mode buttons, which end at 371.
constexpr int kMoveButtonX = 385;
constexpr int kGridButtonX = 414;

}  // namespace

void TfrmMain::CreateBuildingItems() {
  // View: the grid, after the zoom items.
  QAction* styles = findChild<QAction*>("mnu3DOCircle");
  const auto insert = [&](QMenu* menu, QAction* before, const char* name, const char* caption,
                          const char* keys, void (TfrmMain::*handler)()) {
    QAction* item = AddItem(menu, name, caption, handler);
    if (keys) item->setShortcut(QKeySequence(keys));
    menu->removeAction(item);
    menu->insertAction(before, item);
    return item;
  };
  QAction* beforeStyles = m_mnuView->insertSeparator(styles);
  m_mnuGrid = insert(m_mnuView, beforeStyles, "mnuGrid", "&Grid", "G", &TfrmMain::mnuGridClick);
  m_mnuGrid->setCheckable(true);
  insert(m_mnuView, beforeStyles, "mnuGridFiner", "Finer gri&d", "[", &TfrmMain::mnuGridFinerClick);
  insert(m_mnuView, beforeStyles, "mnuGridCoarser", "Coarser grid", "]",
         &TfrmMain::mnuGridCoarserClick);

  // Edit: the building commands before the level dialogs.
  QAction* dialogs = findChild<QAction*>("mnuEpisodeInfo");
  m_mnuMove = insert(m_mnuEdit, dialogs, "mnuMove", "&Move", "M", &TfrmMain::mnuMoveClick);
  m_mnuMove->setCheckable(true);
  m_mnuExtrude =
      insert(m_mnuEdit, dialogs, "mnuExtrude", "E&xtrude...", "E", &TfrmMain::mnuExtrudeClick);
  m_mnuDuplicate = insert(m_mnuEdit, dialogs, "mnuDuplicate", "&Duplicate", "Ctrl+D",
                          &TfrmMain::mnuDuplicateClick);
  m_mnuEdit->insertSeparator(dialogs);

  m_mnuTools = new QMenu("&Tools", this);
  m_mnuTools->setObjectName("mnuTools");
  menuBar()->insertMenu(findChild<QMenu*>("mnuHelp")->menuAction(), m_mnuTools);
  AddItem(m_mnuTools, "mnuCheckLevel", "&Check level", &TfrmMain::mnuCheckLevelClick);
  m_mnuTools->setEnabled(false);
  m_mnuTools->menuAction()->setEnabled(false);

  m_btnMove = AddButton("btnMove", kMoveButtonX, "Move", m_mnuMove);
  m_btnMove->setIcon(GlyphIcon(Glyph::Move));
  m_btnGrid = AddButton("btnGrid", kGridButtonX, "Grid", m_mnuGrid);
  m_btnGrid->setIcon(GlyphIcon(Glyph::Grid));
  for (QToolButton* button : {m_btnMove, m_btnGrid}) {
    button->setCheckable(true);
    button->setEnabled(false);
  }
  UpdateBuildingItems();

  m_frmExtrude = new editing::TfrmExtrude(*m_ui, this);
  connect(m_messages, &MessagesPanel::RecordActivated, this, &TfrmMain::lstMessagesRecordActivated);
  ShowGrid(m_editor->GridShown(), m_editor->Grid().Text());
}

void TfrmMain::UpdateBuildingItems() {
  // Until a project is open the menus holding these are disabled as a whole. Once one is, they
  // stay enabled in every mode: in the wrong mode the command says which mode it needs.
  const bool open = m_editor->ProjectOpen();
  for (QAction* item : {m_mnuMove, m_mnuExtrude, m_mnuDuplicate}) item->setEnabled(open);
  m_btnMove->setEnabled(open);
}

void TfrmMain::ShowGrid(bool shown, const std::string& step) {
  m_mnuGrid->setChecked(shown);
  m_btnGrid->setChecked(shown);
  m_mapStatus->ShowGrid(DisplayText("Grid " + step + (shown ? "" : ", hidden")));
}

void TfrmMain::ShowMoveTool(bool on) {
  m_mnuMove->setChecked(on);
  m_btnMove->setChecked(on);
  SetSpaceHeld(m_spaceHeld);  // the pointer's shape follows the tool
}

void TfrmMain::ShowCheck(const std::vector<editing::MessageEntry>& problems, bool wholeLevel) {
  m_messages->ShowCheck(problems);
  if (wholeLevel) {
    m_messages->show();
    m_messages->raise();
  }
}

void TfrmMain::mnuGridClick() {
  m_editor->SetGridShown(m_mnuGrid->isChecked());
}

void TfrmMain::mnuGridFinerClick() {
  m_editor->FinerGrid();
}

void TfrmMain::mnuGridCoarserClick() {
  m_editor->CoarserGrid();
}

void TfrmMain::mnuMoveClick() {
  m_editor->SetMoveTool(m_mnuMove->isChecked());
}

void TfrmMain::mnuExtrudeClick() {
  if (const auto refusal = m_editor->ExtrudeRefusal()) {
    m_ui->ShowMessage(platform::BoxKind::Warning, *refusal);
    return;
  }
  if (const auto distance = m_frmExtrude->Ask(m_editor->Grid().Text())) {
    m_editor->Extrude(*distance);
  }
}

void TfrmMain::mnuDuplicateClick() {
  m_editor->DuplicateThings();
}

void TfrmMain::mnuCheckLevelClick() {
  m_editor->CheckLevel();
}

void TfrmMain::lstMessagesRecordActivated(EditMode mode, int index) {
  RunCommand([&] { m_editor->ShowRecord({mode, index}); });
}

}  // namespace kx::shell
