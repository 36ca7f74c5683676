#include "preview3d/Tfrm3dpreview.h"

#include "preview3d/QtPreviewRenderer.h"
#include "preview3d/QtPreviewView.h"
#include "project/ProjectValues.h"
#include "shell/QtText.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QStringList>
#include <QWheelEvent>

#include <algorithm>

namespace kx::preview3d {

namespace {

constexpr int kHeaderHeight = 41;
constexpr int kFrameMargin = 2;  // between the frame's edge and the drawing area
constexpr int kMaxSide = 4096;   // the largest drawing area the settings may ask for
constexpr int kWheelNotch = 120;
constexpr std::string_view kNeedsOpenGl = "The 3D preview needs OpenGL 3.3: ";

PreviewKey PreviewKeyOf(const QKeyEvent& event) {
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  const bool command = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier);
  switch (event.key()) {
    case Qt::Key_Up:
      return PreviewKey::Up;
    case Qt::Key_Down:
      return PreviewKey::Down;
    case Qt::Key_Left:
      return PreviewKey::Left;
    case Qt::Key_Right:
      return PreviewKey::Right;
    case Qt::Key_PageUp:
      return PreviewKey::PageUp;
    case Qt::Key_PageDown:
      return PreviewKey::PageDown;
    case Qt::Key_Plus:
      return keypad ? PreviewKey::KeypadPlus : PreviewKey::Other;
    case Qt::Key_Minus:
      return keypad ? PreviewKey::KeypadMinus : PreviewKey::Other;
    case Qt::Key_W:
      return command ? PreviewKey::Other : PreviewKey::W;
    case Qt::Key_A:
      return command ? PreviewKey::Other : PreviewKey::A;
    case Qt::Key_S:
      return command ? PreviewKey::Other : PreviewKey::S;
    case Qt::Key_D:
      return command ? PreviewKey::Other : PreviewKey::D;
    default:
      return PreviewKey::Other;
  }
}

// Clears a flag when the scope ends, however it ends.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
  ~FlagScope() { m_flag = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& m_flag;
};

}  // namespace

Tfrm3dpreview::Tfrm3dpreview(editing::Editor& editor, platform::Ui& ui, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_editor(editor), m_ui(ui) {
  setObjectName("frm3dpreview");
  setWindowTitle("3D Level Preview");
  m_pnlHeader = new QFrame(this);
  m_pnlHeader->setObjectName("pnlHeader");
  m_pnlFrame = new QFrame(this);
  m_pnlFrame->setObjectName("pnlFrame");
  m_pnlFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
  m_pnlFrame->setAutoFillBackground(true);
  QPalette grey = m_pnlFrame->palette();
  grey.setColor(QPalette::Window, QColor(128, 128, 128));
  m_pnlFrame->setPalette(grey);
  // Holds the keyboard focus so that every key reaches the window; what it gets is never read.
  m_edt3dpreview = new QLineEdit(m_pnlFrame);
  m_edt3dpreview->setObjectName("edt3dpreview");
  m_edt3dpreview->setGeometry(-200, 0, 121, 21);
  m_edt3dpreview->setAccessibleName("3D preview keys");
  m_edt3dpreview->installEventFilter(this);
}

Tfrm3dpreview::~Tfrm3dpreview() {
  Release();
}

QtPreviewView* Tfrm3dpreview::View() const {
  return m_pnl3dpreview;
}

bool Tfrm3dpreview::StartPreview() {
  QString renderer;
  const QString problem = QtPreviewRenderer::ProbeOpenGl(&renderer);
  if (!problem.isEmpty()) {
    m_ui.ShowMessage(platform::BoxKind::Error, std::string(kNeedsOpenGl) + problem.toStdString());
    return false;
  }
  emit StatusText(0, renderer);
  const project::ProjectValues& values = m_editor.Values();
  const int width = std::clamp(values.PreviewWidth, 1, kMaxSide);
  const int height = std::clamp(values.PreviewHeight, 1, kMaxSide);
  if (!m_pnl3dpreview) {
    m_pnl3dpreview = new QtPreviewView(m_session, m_pnlFrame);
    m_pnl3dpreview->installEventFilter(this);
    connect(m_pnl3dpreview, &QtPreviewView::Failed, this, &Tfrm3dpreview::ViewFailed,
            Qt::QueuedConnection);
  }
  m_pnl3dpreview->setGeometry(kFrameMargin, kFrameMargin, width, height);
  m_pnlFrame->setGeometry(0, kHeaderHeight, width + 2 * kFrameMargin, height + 2 * kFrameMargin);
  m_pnlHeader->setGeometry(0, 0, width + 2 * kFrameMargin, kHeaderHeight);
  setFixedSize(width + 2 * kFrameMargin, kHeaderHeight + height + 2 * kFrameMargin);
  const QWidget* owner = parentWidget();
  if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  show();
  raise();
  activateWindow();
  m_edt3dpreview->setFocus(Qt::OtherFocusReason);
  BuildScene(Build::Everything);
  return true;
}

void Tfrm3dpreview::LevelChanged(editing::ChangedParts parts) {
  if (!isVisible() || !m_pnl3dpreview || m_building) return;
  const bool materials =
      parts.Has(editing::RecordKind::Material) || parts.Has(editing::RecordKind::Counts);
  BuildScene(materials ? Build::GeometryAndMaterials : Build::Geometry);
}

void Tfrm3dpreview::ProjectOpened() {
  if (!isVisible() || !m_pnl3dpreview || m_building) return;
  BuildScene(Build::Everything);
}

void Tfrm3dpreview::BuildScene(Build what) {
  FlagScope building(m_building);
  platform::BusyCursor busy(m_ui);
  m_pnl3dpreview->HoldUploads(true);
  QString shown;
  const BuildProgress progress = [&](int index, int count) {
    // Counted from 1, so that a finished build reads "49/49", never one short of the end.
    shown = QString("%1/%2").arg(index + 1).arg(count);
    if (m_progressPacer.Due(platform::EventPacer::Clock::now())) emit StatusText(1, shown);
    // Repaints only: a click or key now would start a command on a half-built scene.
    m_ui.ProcessEvents();
  };
  if (what == Build::Everything) {
    const project::ProjectValues& values = m_editor.Values();
    m_session.Start(m_editor.Level(), m_editor.Mode(),
                    {values.ProjectDir, project::ResourceArchivePath(values)}, progress);
  } else {
    m_session.Rebuild(m_editor.Level(), m_editor.Mode(), what == Build::GeometryAndMaterials,
                      progress);
  }
  // The window may have lost its view meanwhile only by an error; the scene waits for the next.
  if (!m_pnl3dpreview) return;
  m_pnl3dpreview->HoldUploads(false);
  m_pnl3dpreview->SceneChanged(what != Build::Geometry);
  QStringList notices;
  for (const std::string& notice : m_session.Notices()) {
    notices << shell::DisplayText(notice);
  }
  emit StatusText(1, notices.isEmpty() ? shown : notices.join("; "));
}

void Tfrm3dpreview::closeEvent(QCloseEvent* event) {
  if (m_building) {
    event->ignore();
    return;
  }
  Release();
  event->accept();
  emit Closed();
}

void Tfrm3dpreview::Release() {
  m_looking = false;
  // The view takes its OpenGL objects and its context with it.
  delete m_pnl3dpreview;
  m_session.Release();
}

void Tfrm3dpreview::ViewFailed(const QString& reason) {
  m_ui.ShowMessage(platform::BoxKind::Error, std::string(kNeedsOpenGl) + reason.toStdString());
  close();
}

bool Tfrm3dpreview::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      // Every key belongs to the walk; none is typed into the edit box.
      FormKeyDown(*static_cast<QKeyEvent*>(event));
      return true;
    case QEvent::MouseButtonPress:
      if (watched == m_pnl3dpreview) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
          m_looking = true;
          m_lookFrom = mouse->position().toPoint();
        }
        m_edt3dpreview->setFocus(Qt::MouseFocusReason);
        return true;
      }
      break;
    case QEvent::MouseMove:
      if (watched == m_pnl3dpreview && m_looking) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        const QPoint by = at - m_lookFrom;
        m_lookFrom = at;
        m_session.Walk().MouseLook(by.x(), by.y());
        m_pnl3dpreview->update();
        return true;
      }
      break;
    case QEvent::MouseButtonRelease:
      if (watched == m_pnl3dpreview &&
          static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        m_looking = false;
        return true;
      }
      break;
    case QEvent::Wheel:
      if (watched == m_pnl3dpreview) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        // Fine-grained wheels send parts of a notch; they add up to whole ones.
        m_wheelRest += wheel->angleDelta().y();
        const int notches = m_wheelRest / kWheelNotch;
        m_wheelRest -= notches * kWheelNotch;
        m_session.Walk().Wheel(notches, wheel->modifiers().testFlag(Qt::ShiftModifier));
        m_pnl3dpreview->update();
        return true;
      }
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void Tfrm3dpreview::FormKeyDown(const QKeyEvent& event) {
  if (!m_pnl3dpreview || m_building) return;
  const bool fast = event.modifiers().testFlag(Qt::ShiftModifier);
  if (m_session.Walk().PressKey(PreviewKeyOf(event), fast)) m_pnl3dpreview->update();
}

}  // namespace kx::preview3d
