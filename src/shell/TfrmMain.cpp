#include "shell/TfrmMain.h"

#include "editing/CommandTexts.h"
#include "mapview/MapNavigation.h"
#include "platform/AppInfo.h"
#include "platform/CommandRouter.h"
#include "preview3d/Tfrm3dpreview.h"
#include "project/ProgramDir.h"
#include "properties/QtPropertyPages.h"
#include "properties/TfrmEditCopyright.h"
#include "properties/TfrmEditHeader.h"
#include "properties/TfrmEpisodeInfo.h"
#include "resources/TfrmTemplates.h"
#include "shell/Divider.h"
#include "shell/KeyMapping.h"
#include "shell/MapImage.h"
#include "shell/MapStatus.h"
#include "shell/MessagesPanel.h"
#include "shell/QtText.h"
#include "shell/QtUi.h"
#include "shell/ToolGlyphs.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <chrono>

namespace kx::shell {

using editing::Key;
using editing::KeyCommand;
using mapview::EditMode;
using mapview::View;

namespace {

// Geometry of the window's regions, in pixels.
constexpr int kToolStripHeight = 45;
constexpr int kPanelsTop = 48;
constexpr int kBottomGap = 2;
constexpr int kStartPropertiesWidth = 189;
constexpr int kGap = 3;  // between the property panel and the map: the divider shows there
constexpr int kInfoHeight = 289;
constexpr int kCounterHeight = 25;
constexpr int kMinPropertiesWidth = 24;
constexpr int kMapRightMargin = 48;
constexpr int kMinMapWidth = 120;
constexpr int kMinWindowHeight = 450;

const char* const kAboutText =
    "Kelvarix 1.0\rPreview Release 1 Build 631\r\r"
    "A level editor for Jedi Knight: it opens a level's GOB2 archive as a project, shows the "
    "level on a map, saves it and packs it for the game.";

bool IsTextField(const QWidget* widget) {
  if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
      qobject_cast<const QPlainTextEdit*>(widget) ||
      qobject_cast<const QAbstractSpinBox*>(widget)) {
    return true;
  }
  const auto* combo = qobject_cast<const QComboBox*>(widget);
  return combo && combo->isEditable();
}

int ModeIndex(EditMode mode) {
  return static_cast<int>(mode) - 1;
}

int ViewIndex(View view) {
  return static_cast<int>(view) - 1;
}

void EnableMenu(QMenu* menu, bool enabled) {
  menu->setEnabled(enabled);
  menu->menuAction()->setEnabled(enabled);
}

}  // namespace

TfrmMain::TfrmMain(platform::Ui* ui, std::filesystem::path programDir)
    : m_programDir(std::move(programDir)) {
  setObjectName("frmMain");
  setWindowTitle(DisplayText(platform::kIdleCaption));
  setWindowIcon(ApplicationIcon());
  if (!ui) m_ownUi = std::make_unique<QtUi>(this);
  m_ui = ui ? ui : m_ownUi.get();
  m_editor = std::make_unique<editing::Editor>(*m_ui, *this);

  CreateMenus();
  m_client = new QWidget(this);
  m_client->setObjectName("client");
  setCentralWidget(m_client);
  CreateToolStrip(m_client);
  CreatePanels(m_client);

  QStatusBar* bar = statusBar();
  bar->setObjectName("barStatus");
  const int panelWidths[] = {100, 80, 50};
  for (int p = 0; p < 3; ++p) {
    auto* panel = new QLabel(bar);
    panel->setFixedWidth(panelWidths[p]);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(panel);
    m_barPanels[p] = panel;
  }
  CreateEditingItems();

  m_dlgTint = new QColorDialog(this);
  m_dlgTint->setObjectName("dlgTint");
  // The level dialogs are made once and reused.
  m_frmEditCopyright = new properties::TfrmEditCopyright(*m_ui, this);
  m_frmEditHeader = new properties::TfrmEditHeader(*m_ui, this);
  m_frmEpisodeInfo = new properties::TfrmEpisodeInfo(*m_ui, this);
  m_frmTemplates = new resources::TfrmTemplates(this);
  m_properties = new properties::QtPropertyPages(
      {*m_editor,
       *m_ui,
       {m_pages[0], m_pages[1], m_pages[2], m_pages[3]},
       m_pnlNSelect,
       m_edtKeybHandler,
       m_dlgTint,
       this,
       [this](const std::function<void()>& command) { return RunCommand(command); }});

  m_messages = new MessagesPanel(this);
  addDockWidget(Qt::BottomDockWidgetArea, m_messages);
  m_messages->hide();
  QAction* mnuMessages = m_messages->toggleViewAction();
  mnuMessages->setObjectName("mnuMessages");
  mnuMessages->setText("&Messages");
  m_mnuView->addSeparator();
  m_mnuView->addAction(mnuMessages);
  if (m_ownUi) m_ownUi->SetNoteSink([this](const std::string& text) { m_messages->AddNote(text); });
  CreateBuildingItems();

  setMinimumSize(kStartPropertiesWidth + kMinMapWidth, kMinWindowHeight);
  resize(800, 600);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  // The window sees every key before the control that has the focus.
  qApp->installEventFilter(this);
}

TfrmMain::~TfrmMain() {
  qApp->removeEventFilter(this);
}

void TfrmMain::ReturnFocusAfterDialog() {
  // Without a window manager nobody gives the focus back when a modal dialog closes, and every
  // key after it would go nowhere; with one this finds the window active already.
  QTimer::singleShot(0, this, [this] {
    const QWidget* active = QApplication::activeWindow();
    if (isVisible() && !QApplication::activeModalWidget() && (!active || !active->isVisible())) {
      activateWindow();
    }
  });
}

QAction* TfrmMain::AddItem(QMenu* menu, const char* name, const char* caption,
                           void (TfrmMain::*handler)()) {
  QAction* item = menu->addAction(caption);
  item->setObjectName(name);
  if (handler)
    connect(item, &QAction::triggered, this,
            [this, handler] { RunCommand([&] { (this->*handler)(); }); });
  return item;
}

void TfrmMain::CreateMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("mnuMain");

  QMenu* file = bar->addMenu("&File");
  file->setObjectName("mnuFile");
  m_mnuNewProject = AddItem(file, "mnuNewProject", "&New project", &TfrmMain::mnuNewProjectClick);
  m_mnuNewProject->setShortcut(QKeySequence::New);
  m_mnuOpenProject =
      AddItem(file, "mnuOpenProject", "&Open project", &TfrmMain::mnuOpenProjectClick);
  m_mnuOpenProject->setShortcut(QKeySequence::Open);
  m_mnuSave = AddItem(file, "mnuSave", "&Save project", &TfrmMain::mnuSaveClick);
  m_mnuSave->setShortcut(QKeySequence::Save);
  m_mnuSave->setEnabled(false);
  m_mnuGobProject = AddItem(file, "mnuGobProject", "&Gob project", &TfrmMain::mnuGobProjectClick);
  m_mnuGobProject->setEnabled(false);
  m_mnuRun = AddItem(file, "mnuRun", "&Run project in JK", &TfrmMain::mnuRunClick);
  m_mnuRun->setEnabled(false);
  file->addSeparator();
  AddItem(file, "mnuExit", "E&xit", &TfrmMain::mnuExitClick);

  m_mnuEdit = bar->addMenu("&Edit");
  m_mnuEdit->setObjectName("mnuEdit");
  m_mnuEpisodeInfo =
      AddItem(m_mnuEdit, "mnuEpisodeInfo", "&Episode Info", &TfrmMain::mnuEpisodeInfoClick);
  m_mnuCopyright = AddItem(m_mnuEdit, "mnuCopyright", "&Copyright", &TfrmMain::mnuCopyrightClick);
  m_mnuHeader = AddItem(m_mnuEdit, "mnuHeader", "&Header", &TfrmMain::mnuHeaderClick);
  AddItem(m_mnuEdit, "mnuTemplates", "&Templates", &TfrmMain::mnuTemplatesClick);
  for (QAction* item : {m_mnuEpisodeInfo, m_mnuCopyright, m_mnuHeader}) item->setEnabled(false);
  EnableMenu(m_mnuEdit, false);

  m_mnuView = bar->addMenu("&View");
  m_mnuView->setObjectName("mnuView");
  m_mnuViews[0] = AddItem(m_mnuView, "mnuTop", "&Top", &TfrmMain::mnuTopClick);
  m_mnuViews[1] = AddItem(m_mnuView, "mnuFront", "&Front", &TfrmMain::mnuFrontClick);
  m_mnuViews[2] = AddItem(m_mnuView, "mnuRight", "&Right", &TfrmMain::mnuRightClick);
  for (QAction* item : m_mnuViews) item->setCheckable(true);
  m_mnuViews[0]->setChecked(true);
  m_mnuView->addSeparator();
  m_mnu3dpreview = AddItem(m_mnuView, "mnu3dpreview", "3D &preview", &TfrmMain::mnu3dpreviewClick);
  m_mnu3dpreview->setCheckable(true);
  m_mnuView->addSeparator();
  AddItem(m_mnuView, "mnuViewAll", "&All", &TfrmMain::mnuViewAllClick);
  AddItem(m_mnuView, "mnuViewSelection", "&Selection", &TfrmMain::mnuViewSelectionClick);
  AddItem(m_mnuView, "mnuZoomToFit", "Zoom to fi&t", &TfrmMain::mnuZoomToFitClick);
  m_mnuView->addSeparator();
  // Things are always drawn as circles; the two items only carry a check mark.
  auto* thingStyle = new QActionGroup(this);
  QAction* circles = AddItem(m_mnuView, "mnu3DOCircle", "3DOs as &circles", nullptr);
  QAction* wireframes = AddItem(m_mnuView, "mnu3DOWireframe", "3DOs as &wireframes", nullptr);
  for (QAction* item : {circles, wireframes}) {
    item->setCheckable(true);
    thingStyle->addAction(item);
  }
  circles->setChecked(true);
  EnableMenu(m_mnuView, false);

  m_mnuMode = bar->addMenu("&Mode");
  m_mnuMode->setObjectName("mnuMode");
  m_mnuModes[0] = AddItem(m_mnuMode, "mnuVertex", "&Vertex", &TfrmMain::mnuVertexClick);
  m_mnuModes[1] = AddItem(m_mnuMode, "mnuSurface", "Sur&face", &TfrmMain::mnuSurfaceClick);
  m_mnuModes[2] = AddItem(m_mnuMode, "mnuSector", "&Sector", &TfrmMain::mnuSectorClick);
  m_mnuModes[3] = AddItem(m_mnuMode, "mnuThing", "&Thing", &TfrmMain::mnuThingClick);
  for (QAction* item : m_mnuModes) item->setCheckable(true);
  m_mnuModes[1]->setChecked(true);
  EnableMenu(m_mnuMode, false);

  QMenu* help = bar->addMenu("&Help");
  help->setObjectName("mnuHelp");
  AddItem(help, "mnuAbout", "&About", &TfrmMain::mnuAboutClick);
}

QToolButton* TfrmMain::AddButton(const char* name, int x, const char* hint, QAction* item) {
  auto* button = new QToolButton(m_pnlTop);
  button->setObjectName(name);
  button->setGeometry(x, 8, 28, 28);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setIconSize(QSize(20, 20));
  button->setToolTip(hint);
  button->setAccessibleName(hint);
  button->setStatusTip(hint);
  // A button has no code of its own: it runs its menu item's command.
  connect(button, &QToolButton::clicked, item, &QAction::trigger);
  return button;
}

void TfrmMain::CreateToolStrip(QWidget* client) {
  m_pnlTop = new QFrame(client);
  m_pnlTop->setObjectName("pnlTop");
  m_pnlTop->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);

  AddButton("btnNew", 8, "New JK projekt", m_mnuNewProject)->setIcon(GlyphIcon(Glyph::New));
  AddButton("btnOpen", 37, "Open JK project", m_mnuOpenProject)->setIcon(GlyphIcon(Glyph::Open));
  m_btnSave = AddButton("btnSave", 66, "Save JK project", m_mnuSave);
  m_btnSave->setIcon(GlyphIcon(Glyph::Save));

  const char* const viewNames[] = {"btnTop", "btnFront", "btnRight"};
  const char* const viewFaces[] = {"T", "F", "R"};
  const char* const viewHints[] = {"View - Top", "View - Front", "View - Right"};
  for (int v = 0; v < 3; ++v) {
    m_btnViews[v] = AddButton(viewNames[v], 112 + 29 * v, viewHints[v], m_mnuViews[v]);
    m_btnViews[v]->setText(viewFaces[v]);
    QFont face = m_btnViews[v]->font();
    face.setBold(true);
    m_btnViews[v]->setFont(face);
  }
  m_btn3dpreview = AddButton("btn3dpreview", 214, "3D Preview", m_mnu3dpreview);
  m_btn3dpreview->setIcon(GlyphIcon(Glyph::Preview3d));

  const char* const modeNames[] = {"btnVertex", "btnSurface", "btnSector", "btnThing"};
  const char* const modeHints[] = {"Vertex Mode", "Surface Mode", "Sector Mode", "Thing Mode"};
  const Glyph modeGlyphs[] = {Glyph::Vertex, Glyph::Surface, Glyph::Sector, Glyph::Thing};
  for (int m = 0; m < 4; ++m) {
    m_btnModes[m] = AddButton(modeNames[m], 256 + 29 * m, modeHints[m], m_mnuModes[m]);
    m_btnModes[m]->setIcon(GlyphIcon(modeGlyphs[m]));
  }

  for (QToolButton* button : {m_btnViews[0], m_btnViews[1], m_btnViews[2], m_btn3dpreview,
                              m_btnModes[0], m_btnModes[1], m_btnModes[2], m_btnModes[3]}) {
    button->setCheckable(true);
    button->setEnabled(false);
  }
  m_btnSave->setEnabled(false);

  // Holds the keyboard focus outside the visible area; what is typed into it is never read.
  m_edtKeybHandler = new QLineEdit(m_pnlTop);
  m_edtKeybHandler->setObjectName("edtKeybHandler");
  m_edtKeybHandler->setGeometry(-200, 8, 121, 21);
  m_edtKeybHandler->setMaxLength(32);
}

void TfrmMain::CreatePanels(QWidget* client) {
  m_shpMover = new Divider(client);
  connect(m_shpMover, &Divider::shpMoverMouseDown, this, &TfrmMain::shpMoverMouseDown);
  connect(m_shpMover, &Divider::shpMoverMouseMove, this, &TfrmMain::shpMoverMouseMove);
  connect(m_shpMover, &Divider::shpMoverMouseUp, this, &TfrmMain::shpMoverMouseUp);

  m_pnlProperties = new QFrame(client);
  m_pnlProperties->setObjectName("pnlProperties");
  m_pnlProperties->setFrameStyle(QFrame::Box | QFrame::Plain);
  m_pnlProperties->setGeometry(0, kPanelsTop, kStartPropertiesWidth, 400);

  m_pnlInfo = new QStackedWidget(m_pnlProperties);
  m_pnlInfo->setObjectName("pnlInfo");
  const char* const pageNames[] = {"pnlInfoVertex", "pnlInfoSurface", "pnlInfoSector",
                                   "pnlInfoThing"};
  for (int m = 0; m < 4; ++m) {
    m_pages[m] = new QWidget(m_pnlInfo);
    m_pages[m]->setObjectName(pageNames[m]);
    m_pnlInfo->addWidget(m_pages[m]);
  }
  m_pnlInfo->setCurrentWidget(m_pages[ModeIndex(EditMode::Surface)]);

  m_pnlNSelect = new QLabel("0", m_pnlProperties);
  m_pnlNSelect->setObjectName("pnlNSelect");
  m_pnlNSelect->setAlignment(Qt::AlignCenter);
  m_pnlNSelect->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_pnlNSelect->setAutoFillBackground(true);
  QPalette counter = m_pnlNSelect->palette();
  counter.setColor(QPalette::Window, QColor(128, 128, 128));
  counter.setColor(QPalette::WindowText, Qt::white);
  m_pnlNSelect->setPalette(counter);
  QFont counterFont = m_pnlNSelect->font();
  counterFont.setBold(true);
  m_pnlNSelect->setFont(counterFont);
  m_pnlNSelect->setToolTip("The number of selected items");
  m_pnlNSelect->setStatusTip("The number of selected items");

  m_pnlMap = new QFrame(client);
  m_pnlMap->setObjectName("pnlMap");
  m_pnlMap->setFrameStyle(QFrame::Box | QFrame::Plain);
  m_imgMap = new MapImage(
      m_pnlMap, [this]() -> const mapview::PixelCanvas& { return m_editor->BackBuffer(); });
  m_imgMap->setAccessibleName("Map");
  connect(m_imgMap, &MapImage::imgMapResize, this, &TfrmMain::imgMapResize);
  connect(m_imgMap, &MapImage::imgMapMouseDown, this, &TfrmMain::imgMapMouseDown);
  connect(m_imgMap, &MapImage::imgMapMouseMove, this, &TfrmMain::imgMapMouseMove);
  connect(m_imgMap, &MapImage::imgMapMouseUp, this, &TfrmMain::imgMapMouseUp);
  m_shpMover->lower();
}

bool TfrmMain::RunCommand(const std::function<void()>& command) {
  ++m_commandDepth;
  const bool ended = platform::RunCommand(*m_ui, command);
  --m_commandDepth;
  return ended;
}

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (m_started) return;
  m_started = true;
  // After the window is on the screen, so that the start-up box stands over it.
  QMetaObject::invokeMethod(this, &TfrmMain::FormShow, Qt::QueuedConnection);
}

void TfrmMain::FormShow() {
  RunCommand([&] {
    if (m_programDir.empty()) {
      const QString userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
      m_programDir = project::ChooseProgramDir(project::RunningProgramDir(), LocalPath(userData));
    }
    m_editor->StartUp(m_programDir);
  });
  RedrawMap();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  // A long command lets the window system run; a close arriving then waits for its end, since
  // leaving would release the settings the command is working with.
  if (m_commandDepth > 0 && !m_exitConfirmed) {
    event->ignore();
    return;
  }
  if (!m_exitConfirmed) {
    RunCommand([&] { m_exitConfirmed = m_editor->ConfirmExit(); });
  }
  if (m_exitConfirmed) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      // Only the key's first delivery, to the focus widget (or the window without one); a key
      // a widget passes on to its parent is not a second key.
      auto* widget = qobject_cast<QWidget*>(watched);
      if (!widget || widget->window() != this) break;
      QWidget* focus = focusWidget();
      if (widget != (focus ? focus : this)) break;
      // Typing into a text field is typing, not a command; the keyboard sink is no text field.
      if (focus && focus != m_edtKeybHandler && IsTextField(focus)) break;
      // The property panel's editor keys on its "more" buttons move the editor, not the map.
      if (m_properties->HoldsKey(focus, *static_cast<QKeyEvent*>(event))) break;
      FormKeyDown(*static_cast<QKeyEvent*>(event));
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) SetSpaceHeld(true);
      break;
    }
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) SetSpaceHeld(false);
      break;
    }
    case QEvent::ShortcutOverride:
      // The keyboard sink is a line edit only to hold the focus: its own keys (Ctrl+Z, Ctrl+A,
      // Home, ...) are the window's shortcuts.
      if (watched == m_edtKeybHandler) return true;
      break;
    case QEvent::WindowDeactivate:
      if (watched == this) SetSpaceHeld(false);
      break;
    case QEvent::Hide:
      if (auto* window = qobject_cast<QWidget*>(watched);
          window && window != this && window->isWindow() && window->isModal()) {
        ReturnFocusAfterDialog();
      }
      break;
    case QEvent::Resize:
      if (watched == m_client) ClientResize();
      break;
    case QEvent::MouseButtonDblClick:
      if (watched == m_pnlNSelect) pnlNSelectDblClick();
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::FormKeyDown(QKeyEvent& event) {
  const Key key = MapKeyOf(event);
  if (key == Key::Other) return;
  const editing::KeyModifiers modifiers = MapModifiersOf(event);
  RunCommand([&] {
    switch (m_editor->KeyDown(key, modifiers).command) {
      case KeyCommand::NewProject:
        TriggerIfEnabled(m_mnuNewProject);
        break;
      case KeyCommand::OpenProject:
        TriggerIfEnabled(m_mnuOpenProject);
        break;
      case KeyCommand::SaveProject:
        TriggerIfEnabled(m_mnuSave);
        break;
      case KeyCommand::Extrude:
        TriggerIfEnabled(m_mnuExtrude);
        break;
      case KeyCommand::Duplicate:
        TriggerIfEnabled(m_mnuDuplicate);
        break;
      default:
        break;
    }
  });
}

void TfrmMain::TriggerIfEnabled(QAction* item) {
  if (item->isEnabled()) item->trigger();
}

void TfrmMain::ClientResize() {
  m_pnlTop->setGeometry(0, 0, m_client->width(), kToolStripHeight);
  const int height = std::max(m_client->height() - kPanelsTop - kBottomGap, kInfoHeight);
  m_pnlProperties->resize(m_pnlProperties->width(), height);
  m_shpMover->setGeometry(0, kPanelsTop, m_client->width(), height);
  LayoutPanels();
}

void TfrmMain::LayoutPanels() {
  const int width = m_pnlProperties->width();
  const int height = m_pnlProperties->height();
  m_pnlMap->setGeometry(width + kGap, kPanelsTop, std::max(m_client->width() - width - 4, 1),
                        height);
  m_pnlNSelect->setGeometry(4, height - 33, width - 12, kCounterHeight);
  m_pnlInfo->setGeometry(4, 4, width - 12, kInfoHeight);
  m_imgMap->setGeometry(m_pnlMap->contentsRect());
}

void TfrmMain::imgMapResize(QSize size) {
  m_editor->ResizeMap({size.width(), size.height()});
  // While the divider is dragged the map keeps its picture; its release redraws.
  if (!m_dragging) RedrawMap();
}

void TfrmMain::ShowBand() {
  const auto& gesture = m_editor->Gesture();
  m_imgMap->ShowBand(gesture.BandVisible(), gesture.Band());
}

void TfrmMain::imgMapMouseDown(const editing::MouseInput& input) {
  editing::MouseInput press = input;
  press.pan = m_spaceHeld;
  if (press.pan) m_imgMap->setCursor(Qt::ClosedHandCursor);
  RunCommand([&] { m_editor->MouseDown(press); });
  ShowBand();
}

void TfrmMain::imgMapMouseMove(const editing::MouseInput& input) {
  m_pointer = QPoint(input.x, input.y);
  ShowPointer();
  if (m_editor->MouseMove(input)) ShowBand();
}

void TfrmMain::imgMapMouseUp(const editing::MouseInput& input) {
  // The band goes before the pick, whose repaint and boxes must not show it.
  m_imgMap->ShowBand(false, {});
  RunCommand([&] { m_editor->MouseUp(input); });
  ShowBand();
  SetSpaceHeld(m_spaceHeld);  // the hand opens again
}

void TfrmMain::shpMoverMouseDown() {
  m_dragging = true;
}

void TfrmMain::shpMoverMouseMove(int x) {
  if (!m_dragging) return;
  x = std::clamp(x, kMinPropertiesWidth, std::max(kMinPropertiesWidth, width() - kMapRightMargin));
  m_pnlProperties->resize(x, m_pnlProperties->height());
  LayoutPanels();
}

void TfrmMain::shpMoverMouseUp() {
  if (!m_dragging) return;
  m_dragging = false;
  // The window cannot be made narrower than the property panel and a strip of map.
  setMinimumWidth(m_pnlProperties->width() + kMinMapWidth);
  RedrawMap();
}

void TfrmMain::pnlNSelectDblClick() {
  // What was typed goes to the records that were selected when it was typed.
  m_properties->CommitOpenEditor();
  RunCommand([&] { m_editor->ClearSelectionFromCounter(); });
}

void TfrmMain::RedrawMap() {
  m_editor->PaintMap();
  m_imgMap->update();
  // Every change of the view ends in a redraw.
  m_mapStatus->ShowScale(DisplayText(mapview::ScaleText(m_editor->View().scale)));
  ShowPointer();
}

void TfrmMain::DrawSelected() {
  m_editor->PaintSelected();
  m_imgMap->update();
}

void TfrmMain::ShowSelectionCount(int count) {
  m_pnlNSelect->setText(QString::number(count));
}

void TfrmMain::UpdatePropertyPanel() {
  m_properties->UpdatePropertyPanel();
}

void TfrmMain::BeforeProjectLoad() {
  m_properties->Reset();
  m_messages->Clear();  // the panel lists what this open reports
  m_editor->BeforeProjectLoad();
}

void TfrmMain::ProjectOpened() {
  m_editor->ProjectOpened();
  UpdateHistoryItems();
  if (m_frm3dpreview) m_frm3dpreview->ProjectOpened();
}

void TfrmMain::ShowView(View view) {
  for (int v = 0; v < 3; ++v) {
    m_mnuViews[v]->setChecked(v == ViewIndex(view));
    m_btnViews[v]->setChecked(v == ViewIndex(view));
  }
}

void TfrmMain::ShowEditMode(EditMode mode) {
  for (int m = 0; m < 4; ++m) {
    m_mnuModes[m]->setChecked(m == ModeIndex(mode));
    m_btnModes[m]->setChecked(m == ModeIndex(mode));
  }
  m_pnlInfo->setCurrentWidget(m_pages[ModeIndex(mode)]);
  UpdateBuildingItems();
}

void TfrmMain::FocusKeyboardSink() {
  m_edtKeybHandler->setFocus(Qt::OtherFocusReason);
}

void TfrmMain::EnableProjectCommands() {
  EnableMenu(m_mnuEdit, true);
  EnableMenu(m_mnuView, true);
  EnableMenu(m_mnuMode, true);
  for (QAction* item :
       {m_mnuCopyright, m_mnuHeader, m_mnuSave, m_mnuEpisodeInfo, m_mnuGobProject, m_mnuRun}) {
    item->setEnabled(true);
  }
  for (QToolButton* button :
       {m_btnViews[0], m_btnViews[1], m_btnViews[2], m_btnSave, m_btn3dpreview, m_btnModes[0],
        m_btnModes[1], m_btnModes[2], m_btnModes[3], m_btnGrid}) {
    button->setEnabled(true);
  }
  EnableMenu(m_mnuTools, true);
  UpdateBuildingItems();
}

void TfrmMain::mnuNewProjectClick() {
  m_editor->NewProject();
}

void TfrmMain::mnuOpenProjectClick() {
  m_editor->OpenProject();
}

void TfrmMain::mnuSaveClick() {
  // A value still in the edit box is saved too.
  m_properties->CommitOpenEditor();
  m_editor->SaveProject();
}

void TfrmMain::mnuGobProjectClick() {
  m_editor->GobProject();
}

void TfrmMain::mnuRunClick() {
  m_editor->RunProject();
}

void TfrmMain::mnuExitClick() {
  if (!m_editor->ConfirmExit()) return;
  m_exitConfirmed = true;
  close();
  QCoreApplication::quit();
}

void TfrmMain::mnuEpisodeInfoClick() {
  m_frmEpisodeInfo->Edit(*m_editor);
}

void TfrmMain::mnuCopyrightClick() {
  m_frmEditCopyright->Edit(*m_editor);
}

void TfrmMain::mnuHeaderClick() {
  m_frmEditHeader->Edit(*m_editor);
}

void TfrmMain::mnuTemplatesClick() {
  m_frmTemplates->Execute(m_editor->Level());
}

void TfrmMain::mnuTopClick() {
  m_editor->SetView(View::Top);
}

void TfrmMain::mnuFrontClick() {
  m_editor->SetView(View::Front);
}

void TfrmMain::mnuRightClick() {
  m_editor->SetView(View::Right);
}

void TfrmMain::mnu3dpreviewClick() {
  // The triggered item has flipped its own check mark; the button follows it.
  if (!m_mnu3dpreview->isChecked()) {
    // A window that refuses to close (its scene is being built) keeps its mark.
    if (m_frm3dpreview && !m_frm3dpreview->close()) m_mnu3dpreview->setChecked(true);
  } else {
    if (!m_frm3dpreview) {
      m_frm3dpreview = new preview3d::Tfrm3dpreview(*m_editor, *m_ui, this);
      // However the window closes, the item and the button follow it.
      connect(m_frm3dpreview, &preview3d::Tfrm3dpreview::Closed, this, [this] {
        m_mnu3dpreview->setChecked(false);
        m_btn3dpreview->setChecked(false);
      });
      connect(m_frm3dpreview, &preview3d::Tfrm3dpreview::StatusText, this,
              [this](int panel, const QString& text) {
                m_barPanels[panel]->setText(text);
                m_barPanels[panel]->setToolTip(text);
              });
    }
    if (!m_frm3dpreview->StartPreview()) m_mnu3dpreview->setChecked(false);
  }
  m_btn3dpreview->setChecked(m_mnu3dpreview->isChecked());
}

void TfrmMain::mnuViewAllClick() {
  m_editor->ShowAll();
}

void TfrmMain::mnuViewSelectionClick() {
  m_editor->ShowSelectionOnly();
}

void TfrmMain::mnuZoomToFitClick() {
  m_editor->ZoomToFit();
}

void TfrmMain::mnuVertexClick() {
  m_editor->SetEditMode(EditMode::Vertex);
}

void TfrmMain::mnuSurfaceClick() {
  m_editor->SetEditMode(EditMode::Surface);
}

void TfrmMain::mnuSectorClick() {
  m_editor->SetEditMode(EditMode::Sector);
}

void TfrmMain::mnuThingClick() {
  m_editor->SetEditMode(EditMode::Thing);
}

void TfrmMain::mnuAboutClick() {
  m_ui->ShowMessage(platform::BoxKind::Plain, kAboutText);
}

void TfrmMain::CreateEditingItems() {
  // Edit: the history and Select all before the level dialogs.
  QAction* first = m_mnuEdit->actions().value(0);
  const auto insert = [&](const char* name, const char* caption, void (TfrmMain::*handler)()) {
    QAction* item = AddItem(m_mnuEdit, name, caption, handler);
    m_mnuEdit->removeAction(item);
    m_mnuEdit->insertAction(first, item);
    return item;
  };
  m_mnuUndo = insert("mnuUndo", "&Undo", &TfrmMain::mnuUndoClick);
  m_mnuUndo->setShortcut(QKeySequence::Undo);
  m_mnuRedo = insert("mnuRedo", "&Redo", &TfrmMain::mnuRedoClick);
  m_mnuRedo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
  m_mnuEdit->insertSeparator(first);
  insert("mnuSelectAll", "Select &all", &TfrmMain::mnuSelectAllClick)
      ->setShortcut(QKeySequence::SelectAll);
  m_mnuEdit->insertSeparator(first);
  UpdateHistoryItems();

  // View: zooming for keyboards without a keypad, beside the fit.
  QAction* fit = findChild<QAction*>("mnuZoomToFit");
  fit->setShortcut(Qt::Key_Home);
  for (const auto& [name, caption, keys, handler] :
       {std::tuple{"mnuZoomIn", "Zoom &in", "Ctrl+=", &TfrmMain::mnuZoomInClick},
        std::tuple{"mnuZoomOut", "Zoom &out", "Ctrl+-", &TfrmMain::mnuZoomOutClick}}) {
    QAction* item = AddItem(m_mnuView, name, caption, handler);
    item->setShortcut(QKeySequence(keys));
    m_mnuView->removeAction(item);
    m_mnuView->insertAction(fit, item);
  }

  m_mapStatus = new MapStatus(statusBar());
  connect(m_imgMap, &MapImage::imgMapWheel, this, &TfrmMain::imgMapWheel);
  connect(m_imgMap, &MapImage::imgMapLeave, this, &TfrmMain::imgMapLeave);

  // Unsaved work is written to the recovery file on this clock's turns.
  m_clkRecovery = new QTimer(this);
  m_clkRecovery->setObjectName("clkRecovery");
  m_clkRecovery->setInterval(5000);
  connect(m_clkRecovery, &QTimer::timeout, this, &TfrmMain::clkRecoveryTimer);
  m_clkRecovery->start();
}

void TfrmMain::UpdateHistoryItems() {
  const auto& history = m_editor->History();
  m_mnuUndo->setText(DisplayText(editing::UndoItemText(history)));
  m_mnuUndo->setEnabled(history.CanUndo());
  m_mnuRedo->setText(DisplayText(editing::RedoItemText(history)));
  m_mnuRedo->setEnabled(history.CanRedo());
}

void TfrmMain::LevelChanged(editing::ChangedParts parts) {
  UpdateHistoryItems();
  if (m_frm3dpreview) m_frm3dpreview->LevelChanged(parts);
}

void TfrmMain::ShowStatus(const std::string& text) {
  m_mapStatus->ShowNote(DisplayText(text));
}

void TfrmMain::ShowPointer() {
  if (!m_pointer) {
    m_mapStatus->ShowPointer({});
    return;
  }
  m_mapStatus->ShowPointer(DisplayText(mapview::PointerPositionText(
      m_editor->View(), m_editor->MapSize(), {m_pointer->x(), m_pointer->y()})));
}

void TfrmMain::SetSpaceHeld(bool held) {
  m_spaceHeld = held;
  if (held) {
    m_imgMap->setCursor(Qt::OpenHandCursor);
  } else if (m_editor->MoveToolOn()) {
    m_imgMap->setCursor(Qt::SizeAllCursor);
  } else {
    m_imgMap->unsetCursor();
  }
}

void TfrmMain::imgMapWheel(int angleDelta, QPoint at) {
  m_pointer = at;
  RunCommand([&] { m_editor->WheelZoom(at.x(), at.y(), angleDelta); });
}

void TfrmMain::imgMapLeave() {
  m_pointer.reset();
  ShowPointer();
}

void TfrmMain::clkRecoveryTimer() {
  // Not in the middle of a command: a level may be half read, or the project about to change.
  if (m_commandDepth > 0) return;
  m_editor->RecoveryTick(std::chrono::steady_clock::now());
}

void TfrmMain::mnuUndoClick() {
  m_editor->Undo();
}

void TfrmMain::mnuRedoClick() {
  m_editor->Redo();
}

void TfrmMain::mnuSelectAllClick() {
  m_editor->SelectAll();
}

void TfrmMain::mnuZoomInClick() {
  m_editor->ZoomIn();
}

void TfrmMain::mnuZoomOutClick() {
  m_editor->ZoomOut();
}

}  // namespace kx::shell
