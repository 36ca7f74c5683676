#pragma once

#include "editing/Editor.h"
#include "editing/EditorWindow.h"
#include "platform/Ui.h"

#include <QMainWindow>
#include <QPoint>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QColorDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QStackedWidget;
class QTimer;
class QToolButton;

namespace kx::properties {
class QtPropertyPages;
class TfrmEditCopyright;
class TfrmEditHeader;
class TfrmEpisodeInfo;
}  // namespace kx::properties
namespace kx::resources {
class TfrmTemplates;
}  // namespace kx::resources
namespace kx::preview3d {
class Tfrm3dpreview;
}
namespace kx::editing {
class TfrmExtrude;
}

namespace kx::shell {

class Divider;
class MapImage;
class MapStatus;
class MessagesPanel;
class QtUi;

/// The editor's main window: tool strip, property panel with its info pages and selection
/// counter, the map, the divider between them, the status bar and the menus. Every menu item
/// and tool button runs one command of the Editor through one handler that shows a failure in
/// an "Error" box and lets the program go on. Leaving asks for confirmation.
class TfrmMain final : public QMainWindow, public editing::EditorWindow {
  Q_OBJECT

 public:
  /// ui: the Ui the commands talk through; the window's own QtUi when null (tests pass a
  /// scripted one). programDir: where the settings file and the Projects folder are; when
  /// empty, the program's own folder, or the user's data folder when that one is not writable.
  explicit TfrmMain(platform::Ui* ui = nullptr, std::filesystem::path programDir = {});
  ~TfrmMain() override;

  editing::Editor& Editor() { return *m_editor; }
  platform::Ui& Ui() { return *m_ui; }
  /// The window's own Ui, or null when one was passed in.
  QtUi* OwnUi() { return m_ownUi.get(); }
  /// The dockable Messages panel (View > Messages); the window's own Ui hands it its notes.
  MessagesPanel& Messages() { return *m_messages; }

  /// Runs a command inside the top-level handler; returns whether it ran to its end.
  bool RunCommand(const std::function<void()>& command);

  // editing::EditorWindow
  void RedrawMap() override;
  void DrawSelected() override;
  void ShowSelectionCount(int count) override;
  void UpdatePropertyPanel() override;
  void BeforeProjectLoad() override;
  void ProjectOpened() override;
  void ShowView(mapview::View view) override;
  void ShowEditMode(mapview::EditMode mode) override;
  void FocusKeyboardSink() override;
  void EnableProjectCommands() override;
  void LevelChanged(editing::ChangedParts parts) override;
  void ShowStatus(const std::string& text) override;
  void ShowGrid(bool shown, const std::string& step) override;
  void ShowMoveTool(bool on) override;
  void ShowCheck(const std::vector<editing::MessageEntry>& problems, bool wholeLevel) override;

  /// The 3D preview window, once the preview was first opened; null before.
  preview3d::Tfrm3dpreview* Preview() { return m_frm3dpreview; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenus();
  void CreateToolStrip(QWidget* client);
  void CreatePanels(QWidget* client);
  void CreateEditingItems();
  void CreateBuildingItems();
  void UpdateBuildingItems();
  QAction* AddItem(QMenu* menu, const char* name, const char* caption, void (TfrmMain::*handler)());
  QToolButton* AddButton(const char* name, int x, const char* hint, QAction* item);

  void FormShow();
  void FormKeyDown(QKeyEvent& event);
  void ClientResize();
  void LayoutPanels();
  void imgMapResize(QSize size);
  void imgMapMouseDown(const editing::MouseInput& input);
  void imgMapMouseMove(const editing::MouseInput& input);
  void imgMapMouseUp(const editing::MouseInput& input);
  void shpMoverMouseDown();
  void shpMoverMouseMove(int x);
  void shpMoverMouseUp();
  void pnlNSelectDblClick();
  void ShowBand();
  void TriggerIfEnabled(QAction* item);
  void UpdateHistoryItems();
  void ShowPointer();
  void SetSpaceHeld(bool held);
  void ReturnFocusAfterDialog();
  void imgMapWheel(int angleDelta, QPoint at);
  void imgMapLeave();
  void clkRecoveryTimer();

  void mnuNewProjectClick();
  void mnuOpenProjectClick();
  void mnuSaveClick();
  void mnuGobProjectClick();
  void mnuRunClick();
  void mnuExitClick();
  void mnuEpisodeInfoClick();
  void mnuCopyrightClick();
  void mnuHeaderClick();
  void mnuTemplatesClick();
  void mnuTopClick();
  void mnuFrontClick();
  void mnuRightClick();
  void mnu3dpreviewClick();
  void mnuViewAllClick();
  void mnuViewSelectionClick();
  void mnuZoomToFitClick();
  void mnuVertexClick();
  void mnuSurfaceClick();
  void mnuSectorClick();
  void mnuThingClick();
  void mnuAboutClick();
  void mnuUndoClick();
  void mnuRedoClick();
  void mnuSelectAllClick();
  void mnuZoomInClick();
  void mnuZoomOutClick();
  void mnuGridClick();
  void mnuGridFinerClick();
  void mnuGridCoarserClick();
  void mnuMoveClick();
  void mnuExtrudeClick();
  void mnuDuplicateClick();
  void mnuCheckLevelClick();
  void lstMessagesRecordActivated(mapview::EditMode mode, int index);

  std::unique_ptr<QtUi> m_ownUi;
  platform::Ui* m_ui;
  std::filesystem::path m_programDir;
  std::unique_ptr<editing::Editor> m_editor;
  bool m_started = false;
  bool m_exitConfirmed = false;
  bool m_dragging = false;  // the divider is being dragged
  int m_commandDepth = 0;   // commands running, counting those started inside others

  QWidget* m_client = nullptr;
  QFrame* m_pnlTop = nullptr;
  QLineEdit* m_edtKeybHandler = nullptr;
  QFrame* m_pnlProperties = nullptr;
  QStackedWidget* m_pnlInfo = nullptr;
  QWidget* m_pages[4] = {};  // pnlInfoVertex, pnlInfoSurface, pnlInfoSector, pnlInfoThing
  QLabel* m_pnlNSelect = nullptr;
  QFrame* m_pnlMap = nullptr;
  MapImage* m_imgMap = nullptr;
  Divider* m_shpMover = nullptr;
  QColorDialog* m_dlgTint = nullptr;
  properties::TfrmEditCopyright* m_frmEditCopyright = nullptr;
  properties::TfrmEditHeader* m_frmEditHeader = nullptr;
  properties::TfrmEpisodeInfo* m_frmEpisodeInfo = nullptr;
  resources::TfrmTemplates* m_frmTemplates = nullptr;
  properties::QtPropertyPages* m_properties = nullptr;  // the info pages' rows
  MessagesPanel* m_messages = nullptr;
  QLabel* m_barPanels[3] = {};                         // the status bar's panels 0, 1 and 2
  preview3d::Tfrm3dpreview* m_frm3dpreview = nullptr;  // made when the preview first opens

  QMenu* m_mnuEdit = nullptr;
  QMenu* m_mnuView = nullptr;
  QMenu* m_mnuMode = nullptr;
  QAction* m_mnuNewProject = nullptr;
  QAction* m_mnuOpenProject = nullptr;
  QAction* m_mnuSave = nullptr;
  QAction* m_mnuGobProject = nullptr;
  QAction* m_mnuRun = nullptr;
  QAction* m_mnuEpisodeInfo = nullptr;
  QAction* m_mnuCopyright = nullptr;
  QAction* m_mnuHeader = nullptr;
  QAction* m_mnuViews[3] = {};  // mnuTop, mnuFront, mnuRight
  QAction* m_mnu3dpreview = nullptr;
  QAction* m_mnuModes[4] = {};  // mnuVertex, mnuSurface, mnuSector, mnuThing

  QToolButton* m_btnSave = nullptr;
  QToolButton* m_btnViews[3] = {};  // btnTop, btnFront, btnRight
  QToolButton* m_btn3dpreview = nullptr;
  QToolButton* m_btnModes[4] = {};  // btnVertex, btnSurface, btnSector, btnThing

  QAction* m_mnuUndo = nullptr;
  QAction* m_mnuRedo = nullptr;
  MapStatus* m_mapStatus = nullptr;
  QTimer* m_clkRecovery = nullptr;
  std::optional<QPoint> m_pointer;  // over the map, in map pixels
  bool m_spaceHeld = false;         // a drag on the map pans it

  QMenu* m_mnuTools = nullptr;
  QAction* m_mnuGrid = nullptr;
  QAction* m_mnuMove = nullptr;
  QAction* m_mnuExtrude = nullptr;
  QAction* m_mnuDuplicate = nullptr;
  QToolButton* m_btnGrid = nullptr;
  QToolButton* m_btnMove = nullptr;
  editing::TfrmExtrude* m_frmExtrude = nullptr;
};

}  // namespace kx::shell
