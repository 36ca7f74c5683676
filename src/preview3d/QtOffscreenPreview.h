#pragma once

#include "preview3d/Navigation.h"
#include "preview3d/PreviewSession.h"
#include "preview3d/QtPreviewRenderer.h"

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

namespace kx::preview3d {

/// The preview's renderer on an offscreen surface, drawing into a framebuffer object of a
/// fixed size: for the tool's `preview render` and for tests. Needs a QGuiApplication.
class QtOffscreenPreview {
 public:
  explicit QtOffscreenPreview(QSize size);
  ~QtOffscreenPreview();
  QtOffscreenPreview(const QtOffscreenPreview&) = delete;
  QtOffscreenPreview& operator=(const QtOffscreenPreview&) = delete;

  /// Why the preview cannot draw here (see QtPreviewRenderer::Problem); empty when it can.
  QString Problem() const { return m_problem; }
  QString RendererName() const { return m_renderer.RendererName(); }

  /// Uploads the scene's geometry and textures.
  void Upload(const PreviewScene& scene);
  /// One frame seen by walk, as an image the size given at construction.
  QImage Render(const Navigation& walk);
  /// Draws frames frames and returns the time of each in milliseconds, every one waited for
  /// until the driver has finished it.
  std::vector<double> TimeFrames(const Navigation& walk, int frames);

 private:
  QSize m_size;
  QOffscreenSurface m_surface;
  QOpenGLContext m_context;
  std::unique_ptr<QOpenGLFramebufferObject> m_framebuffer;
  QtPreviewRenderer m_renderer;
  QString m_problem;
};

}  // namespace kx::preview3d
