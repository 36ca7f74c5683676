#include "preview3d/QtPreviewRenderer.h"

#include "preview3d/ViewProjection.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLVersionFunctionsFactory>

#include <cstddef>

namespace kx::preview3d {

namespace {

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in float grey;
layout(location = 2) in vec2 uv;
uniform mat4 clipFromLevel;
out float cornerGrey;
out vec2 texel;
void main() {
  gl_Position = clipFromLevel * vec4(position, 1.0);
  // The level's vertex colours light it alone; like any colour they end at white.
  cornerGrey = clamp(grey, 0.0, 1.0);
  texel = uv;
}
)";

const char* const kFragmentShader = R"(#version 330 core
in float cornerGrey;
in vec2 texel;
uniform sampler2D material;
out vec4 colour;
void main() {
  colour = vec4(texture(material, texel).rgb * cornerGrey, 1.0);
}
)";

QString GlString(QOpenGLFunctions_3_3_Core* gl, GLenum name) {
  const auto* text = reinterpret_cast<const char*>(gl->glGetString(name));
  return text ? QString::fromLatin1(text) : QString();
}

// Drivers that draw on the processor; they get the nearest texel, as software drivers of the
// game's time did, which also keeps their frames fast.
bool IsSoftwareRenderer(const QString& name) {
  for (const char* word : {"llvmpipe", "softpipe", "Software", "SWR"}) {
    if (name.contains(QLatin1String(word), Qt::CaseInsensitive)) return true;
  }
  return false;
}

}  // namespace

QtPreviewRenderer::~QtPreviewRenderer() {
  // The owner releases with the context current; what is left here belongs to no context.
  m_program.reset();
}

QSurfaceFormat QtPreviewRenderer::Format() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  format.setDepthBufferSize(24);
  format.setSwapInterval(1);
  return format;
}

QString QtPreviewRenderer::Problem(QOpenGLContext* context) {
  if (!context || !context->isValid()) return "no OpenGL context can be made on this display";
  const QSurfaceFormat format = context->format();
  if (format.version() < qMakePair(3, 3) || context->isOpenGLES()) {
    return QString("the display offers OpenGL %1.%2%3")
        .arg(format.majorVersion())
        .arg(format.minorVersion())
        .arg(context->isOpenGLES() ? " ES" : "");
  }
  if (!QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_3_3_Core>(context)) {
    return "the OpenGL 3.3 functions are missing";
  }
  return {};
}

QString QtPreviewRenderer::ProbeOpenGl(QString* rendererName) {
  QOffscreenSurface surface;
  surface.setFormat(Format());
  surface.create();
  QOpenGLContext context;
  context.setFormat(Format());
  if (!context.create()) return Problem(nullptr);
  if (!context.makeCurrent(&surface)) return "the OpenGL context cannot be made current";
  QString problem = Problem(&context);
  if (rendererName) {
    const auto* text = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    *rendererName = text ? QString::fromLatin1(text) : QString();
  }
  context.doneCurrent();
  return problem;
}

bool QtPreviewRenderer::Initialize(QString* error) {
  Release();
  QOpenGLContext* context = QOpenGLContext::currentContext();
  const QString problem = Problem(context);
  if (!problem.isEmpty()) {
    if (error) *error = problem;
    return false;
  }
  m_gl = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_3_3_Core>(context);
  m_gl->initializeOpenGLFunctions();
  m_rendererName = GlString(m_gl, GL_RENDERER);
  m_softwareRenderer = IsSoftwareRenderer(m_rendererName);

  m_program = std::make_unique<QOpenGLShaderProgram>();
  if (!m_program->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader) ||
      !m_program->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader) ||
      !m_program->link()) {
    if (error) *error = "its shaders do not build: " + m_program->log().trimmed();
    m_program.reset();
    m_gl = nullptr;
    return false;
  }
  m_clipFromLevel = m_program->uniformLocation("clipFromLevel");
  m_texture = m_program->uniformLocation("material");

  m_gl->glGenVertexArrays(1, &m_vertexArray);
  m_gl->glGenBuffers(1, &m_vertexBuffer);
  m_gl->glGenBuffers(1, &m_indexBuffer);
  m_gl->glBindVertexArray(m_vertexArray);
  m_gl->glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
  m_gl->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
  const auto stride = static_cast<GLsizei>(sizeof(SceneVertex));
  m_gl->glEnableVertexAttribArray(0);
  m_gl->glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void*>(offsetof(SceneVertex, x)));
  m_gl->glEnableVertexAttribArray(1);
  m_gl->glVertexAttribPointer(1, 1, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void*>(offsetof(SceneVertex, grey)));
  m_gl->glEnableVertexAttribArray(2);
  m_gl->glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void*>(offsetof(SceneVertex, u)));
  m_gl->glBindVertexArray(0);
  return true;
}

void QtPreviewRenderer::UploadGeometry(const SceneGeometry& geometry) {
  if (!m_gl) return;
  m_gl->glBindVertexArray(m_vertexArray);
  m_gl->glBufferData(GL_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(geometry.vertices.size() * sizeof(SceneVertex)),
                     geometry.vertices.data(), GL_STATIC_DRAW);
  m_gl->glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(geometry.indices.size() * sizeof(std::uint32_t)),
                     geometry.indices.data(), GL_STATIC_DRAW);
  m_gl->glBindVertexArray(0);
  m_batches = geometry.batches;
}

void QtPreviewRenderer::UploadTextures(const SceneMaterials& materials) {
  if (!m_gl) return;
  if (!m_textures.empty()) {
    m_gl->glDeleteTextures(static_cast<GLsizei>(m_textures.size()), m_textures.data());
  }
  m_textures.assign(materials.textures.size(), 0);
  if (m_textures.empty()) return;
  m_gl->glGenTextures(static_cast<GLsizei>(m_textures.size()), m_textures.data());
  m_gl->glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (std::size_t t = 0; t < m_textures.size(); ++t) {
    const SceneTexture& texture = materials.textures[t];
    m_gl->glBindTexture(GL_TEXTURE_2D, m_textures[t]);
    // Rows go up top first, so that v = 0 is the texture's top row as the level counts it.
    m_gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, texture.width, texture.height, 0, GL_RGB,
                       GL_UNSIGNED_BYTE, texture.rgb.data());
    m_gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    m_gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    if (m_softwareRenderer) {
      m_gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
      m_gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    } else {
      m_gl->glGenerateMipmap(GL_TEXTURE_2D);
      m_gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
      m_gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
  }
  m_gl->glBindTexture(GL_TEXTURE_2D, 0);
}

void QtPreviewRenderer::Render(const Navigation& walk, int width, int height) {
  if (!m_gl) return;
  m_gl->glViewport(0, 0, width, height);
  m_gl->glClearColor(0, 0, 0, 1);
  m_gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  m_gl->glEnable(GL_DEPTH_TEST);
  m_gl->glDepthFunc(GL_LESS);
  // A surface is seen only from the side its normal points to; the scene's triangles run
  // counter-clockwise from there.
  m_gl->glEnable(GL_CULL_FACE);
  m_gl->glCullFace(GL_BACK);
  m_gl->glFrontFace(GL_CCW);

  const Mat4 clip = Multiply(Multiply(ProjectionMatrix(width, height), ViewMatrix(walk.camera)),
                             ScaleMatrix(walk.meshScale));
  m_program->bind();
  m_gl->glUniformMatrix4fv(m_clipFromLevel, 1, GL_FALSE, clip.data());
  m_gl->glUniform1i(m_texture, 0);
  m_gl->glActiveTexture(GL_TEXTURE0);
  m_gl->glBindVertexArray(m_vertexArray);
  for (const SceneBatch& batch : m_batches) {
    if (batch.texture < 0 || static_cast<std::size_t>(batch.texture) >= m_textures.size()) continue;
    m_gl->glBindTexture(GL_TEXTURE_2D, m_textures[static_cast<std::size_t>(batch.texture)]);
    m_gl->glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(batch.indexCount), GL_UNSIGNED_INT,
                         reinterpret_cast<void*>(std::size_t{batch.firstIndex} * 4));
  }
  m_gl->glBindVertexArray(0);
  m_program->release();
}

void QtPreviewRenderer::Release() {
  if (!m_gl) return;
  if (!m_textures.empty()) {
    m_gl->glDeleteTextures(static_cast<GLsizei>(m_textures.size()), m_textures.data());
  }
  m_gl->glDeleteBuffers(1, &m_vertexBuffer);
  m_gl->glDeleteBuffers(1, &m_indexBuffer);
  m_gl->glDeleteVertexArrays(1, &m_vertexArray);
  m_textures.clear();
  m_batches.clear();
  m_vertexArray = m_vertexBuffer = m_indexBuffer = 0;
  m_program.reset();
  m_gl = nullptr;
}

}  // namespace kx::preview3d
