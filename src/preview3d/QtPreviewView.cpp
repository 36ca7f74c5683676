#include "preview3d/QtPreviewView.h"

#include <QOpenGLContext>

namespace kx::preview3d {

namespace {

// One frame per refresh of a 60 Hz screen; a driver that waits for the refresh paces it too.
constexpr int kFrameMilliseconds = 16;

}  // namespace

QtPreviewView::QtPreviewView(const PreviewSession& session, QWidget* parent)
    : QOpenGLWidget(parent), m_session(session) {
  setObjectName("pnl3dpreview");
  setFormat(QtPreviewRenderer::Format());
  setAccessibleName("3D level preview");
  setAccessibleDescription(
      "Arrow keys or W, A, S, D walk and turn, Page Up and Page Down tilt, keypad + and - scale; "
      "drag with the right mouse button to look around");
  m_frames.setTimerType(Qt::PreciseTimer);
  m_frames.setInterval(kFrameMilliseconds);
  connect(&m_frames, &QTimer::timeout, this, qOverload<>(&QtPreviewView::update));
}

QtPreviewView::~QtPreviewView() {
  ReleaseGl();
  // The base class destroys the context after this part of the widget is gone; its last
  // signal must not reach it.
  if (QOpenGLContext* gl = context()) disconnect(gl, nullptr, this, nullptr);
}

void QtPreviewView::SceneChanged(bool texturesToo) {
  m_geometryStale = true;
  m_texturesStale = m_texturesStale || texturesToo;
  update();
}

void QtPreviewView::initializeGL() {
  // The context can go before the widget does (the window moves to another screen).
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &QtPreviewView::ReleaseGl,
          Qt::UniqueConnection);
  QString problem;
  m_ready = m_renderer.Initialize(&problem);
  m_geometryStale = m_texturesStale = true;
  if (!m_ready) {
    m_frames.stop();
    emit Failed(problem);
  }
}

void QtPreviewView::paintGL() {
  if (!m_ready) return;
  // While the scene is built, frames show what was uploaded before and never the half-built one.
  if (!m_holdUploads) {
    if (m_texturesStale) m_renderer.UploadTextures(m_session.Scene().materials);
    if (m_geometryStale) m_renderer.UploadGeometry(m_session.Scene().geometry);
    m_texturesStale = m_geometryStale = false;
  }
  const qreal ratio = devicePixelRatioF();
  m_renderer.Render(m_session.Walk(), static_cast<int>(width() * ratio),
                    static_cast<int>(height() * ratio));
}

void QtPreviewView::showEvent(QShowEvent* event) {
  QOpenGLWidget::showEvent(event);
  m_frames.start();
}

void QtPreviewView::hideEvent(QHideEvent* event) {
  m_frames.stop();
  QOpenGLWidget::hideEvent(event);
}

void QtPreviewView::ReleaseGl() {
  if (!m_ready) return;
  m_ready = false;
  makeCurrent();
  m_renderer.Release();
  doneCurrent();
}

}  // namespace kx::preview3d
