#pragma once

#include "preview3d/Navigation.h"
#include "preview3d/SceneGeometry.h"
#include "preview3d/SceneMaterials.h"

#include <QOpenGLShaderProgram>
#include <QString>
#include <QSurfaceFormat>

#include <memory>
#include <vector>

class QOpenGLContext;
class QOpenGLFunctions_3_3_Core;

namespace kx::preview3d {

/// Draws a preview scene with OpenGL 3.3 core: one vertex buffer for the level, one texture
/// per material, one draw call per texture used. Shared by the preview window and by the
/// tool's offscreen render. Every call except the static ones needs its context current.
class QtPreviewRenderer {
 public:
  QtPreviewRenderer() = default;
  QtPreviewRenderer(const QtPreviewRenderer&) = delete;
  QtPreviewRenderer& operator=(const QtPreviewRenderer&) = delete;
  ~QtPreviewRenderer();

  /// The format the preview asks for: OpenGL 3.3 core profile with a 24-bit depth buffer.
  static QSurfaceFormat Format();
  /// Why context cannot run the preview (no context, or an OpenGL older than 3.3); empty when
  /// it can.
  static QString Problem(QOpenGLContext* context);
  /// Makes a context of Format() on an offscreen surface and returns Problem() of it, so that
  /// the preview can refuse before it opens a window. rendererName gets the driver's name.
  static QString ProbeOpenGl(QString* rendererName = nullptr);

  /// Compiles the shaders and makes the buffers in the current context; false with the reason
  /// in error when that context cannot run the preview.
  bool Initialize(QString* error);
  /// The driver's name, as OpenGL gives it (GL_RENDERER).
  QString RendererName() const { return m_rendererName; }
  /// Replaces the vertex and index buffers with the scene's.
  void UploadGeometry(const SceneGeometry& geometry);
  /// Replaces the textures with the scene's.
  void UploadTextures(const SceneMaterials& materials);
  /// One frame of width x height pixels into the framebuffer that is bound.
  void Render(const Navigation& walk, int width, int height);
  /// Lets every OpenGL object go; the renderer can be initialized again.
  void Release();

 private:
  QOpenGLFunctions_3_3_Core* m_gl = nullptr;
  std::unique_ptr<QOpenGLShaderProgram> m_program;
  unsigned m_vertexArray = 0;
  unsigned m_vertexBuffer = 0;
  unsigned m_indexBuffer = 0;
  std::vector<unsigned> m_textures;
  std::vector<SceneBatch> m_batches;
  QString m_rendererName;
  bool m_softwareRenderer = false;
  int m_clipFromLevel = -1;  // uniform locations
  int m_texture = -1;
};

}  // namespace kx::preview3d
