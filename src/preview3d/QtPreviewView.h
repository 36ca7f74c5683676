#pragma once

#include "preview3d/PreviewSession.h"
#include "preview3d/QtPreviewRenderer.h"

#include <QOpenGLWidget>
#include <QTimer>

namespace kx::preview3d {

/// The preview's drawing area pnl3dpreview: draws the session's scene as its walk sees it,
/// frame after frame while it is shown. The scene is uploaded once, and again only after
/// SceneChanged; the OpenGL objects go with the widget.
class QtPreviewView final : public QOpenGLWidget {
  Q_OBJECT

 public:
  QtPreviewView(const PreviewSession& session, QWidget* parent);
  ~QtPreviewView() override;

  /// The session's scene was built anew: its geometry, and its textures when texturesToo.
  void SceneChanged(bool texturesToo);
  /// While the session builds, frames show what was uploaded last and take nothing new.
  void HoldUploads(bool hold) { m_holdUploads = hold; }
  QString RendererName() const { return m_renderer.RendererName(); }

 signals:
  /// The context cannot draw the preview; reason says why. Sent from inside the widget's
  /// initialization: connect it queued, since the answer may delete the widget.
  void Failed(const QString& reason);

 protected:
  void initializeGL() override;
  void paintGL() override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void ReleaseGl();

  const PreviewSession& m_session;
  QtPreviewRenderer m_renderer;
  QTimer m_frames;
  bool m_ready = false;
  bool m_holdUploads = false;
  bool m_geometryStale = true;
  bool m_texturesStale = true;
};

}  // namespace kx::preview3d
