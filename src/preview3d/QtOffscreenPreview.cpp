#include "preview3d/QtOffscreenPreview.h"

#include <QOpenGLFunctions>

#include <chrono>

namespace kx::preview3d {

QtOffscreenPreview::QtOffscreenPreview(QSize size) : m_size(size) {
  m_surface.setFormat(QtPreviewRenderer::Format());
  m_surface.create();
  m_context.setFormat(QtPreviewRenderer::Format());
  if (!m_context.create()) {
    m_problem = QtPreviewRenderer::Problem(nullptr);
    return;
  }
  if (!m_context.makeCurrent(&m_surface)) {
    m_problem = "the OpenGL context cannot be made current";
    return;
  }
  if (!m_renderer.Initialize(&m_problem)) return;
  m_framebuffer = std::make_unique<QOpenGLFramebufferObject>(
      m_size, QOpenGLFramebufferObject::CombinedDepthStencil);
  if (!m_framebuffer->isValid()) m_problem = "no framebuffer of that size can be made";
}

QtOffscreenPreview::~QtOffscreenPreview() {
  if (m_context.makeCurrent(&m_surface)) {
    m_renderer.Release();
    m_framebuffer.reset();
    m_context.doneCurrent();
  }
}

void QtOffscreenPreview::Upload(const PreviewScene& scene) {
  if (!m_problem.isEmpty() || !m_context.makeCurrent(&m_surface)) return;
  m_renderer.UploadGeometry(scene.geometry);
  m_renderer.UploadTextures(scene.materials);
}

QImage QtOffscreenPreview::Render(const Navigation& walk) {
  if (!m_problem.isEmpty() || !m_context.makeCurrent(&m_surface)) return {};
  m_framebuffer->bind();
  m_renderer.Render(walk, m_size.width(), m_size.height());
  QImage image = m_framebuffer->toImage();
  m_framebuffer->release();
  return image.convertToFormat(QImage::Format_RGB32);
}

std::vector<double> QtOffscreenPreview::TimeFrames(const Navigation& walk, int frames) {
  std::vector<double> times;
  if (!m_problem.isEmpty() || !m_context.makeCurrent(&m_surface)) return times;
  m_framebuffer->bind();
  QOpenGLFunctions* gl = m_context.functions();
  gl->glFinish();
  for (int i = 0; i < frames; ++i) {
    const auto start = std::chrono::steady_clock::now();
    m_renderer.Render(walk, m_size.width(), m_size.height());
    gl->glFinish();
    const auto stop = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
  }
  m_framebuffer->release();
  return times;
}

}  // namespace kx::preview3d
