#include "resources/MatSelectState.h"

#include "platform/CommandError.h"

namespace kx::resources {

namespace {

constexpr std::string_view kMatFolder = "mat\\";
constexpr std::string_view kModelMatFolder = "3do\\mat\\";
constexpr std::string_view kColormapFolder = "misc\\cmp\\";

}  // namespace

std::string MaterialInfoText(const MatFile& mat) {
  const std::string count = std::to_string(mat.cels.size());
  if (!mat.IsTexture()) return "Number of colors: " + count;
  if (mat.cels.empty()) return "Number of textures: 0";
  const Cel& last = mat.cels.back();
  return "Texture size: " + std::to_string(last.width) + "x" + std::to_string(last.height) +
         "\rNumber of textures: " + count +
         "\rNumber of mip-maps per texture: " + std::to_string(last.mips);
}

void MatSelectState::Forget() {
  m_timerRunning = false;
  m_mat = MatFile{};
  m_hasCels = false;
}

void MatSelectState::Open() {
  Forget();
  m_previewVisible = false;
  m_celCounter = 0;
  m_frame = RgbImage{};
}

bool MatSelectState::LoadColormap(std::string_view name, const ResourcePaths& paths) {
  const std::string entry = std::string(kColormapFolder) + std::string(name);
  const auto bytes = ReadGameResource(entry, paths, kColormapPaletteEnd);
  if (!bytes) return false;
  m_palette = DecodeColormap(*bytes, entry);
  return true;
}

MatSelectState::LoadResult MatSelectState::LoadMat(std::string_view name,
                                                   const ResourcePaths& paths, platform::Ui& ui) {
  Forget();
  std::string entry = std::string(kMatFolder) + std::string(name);
  auto bytes = ReadGameResource(entry, paths);
  if (!bytes || bytes->size() < kMatHeaderSize) {
    entry = std::string(kModelMatFolder) + std::string(name);
    bytes = ReadGameResource(entry, paths);
  }
  if (!bytes || bytes->size() < kMatHeaderSize) {
    ui.ShowMessage(platform::BoxKind::Plain, "!");
    return LoadResult::NotFound;
  }
  std::optional<MatFile> mat;
  try {
    mat = DecodeMat(*bytes, entry);
  } catch (const platform::CommandError&) {
    m_previewVisible = false;
    m_info.clear();
    throw;
  }
  const bool isMaterial = mat.has_value();
  ShowMaterial(std::move(mat));
  return isMaterial ? LoadResult::Shown : LoadResult::NotAMaterial;
}

void MatSelectState::ShowMaterial(std::optional<MatFile> mat) {
  Forget();
  if (!mat) {
    m_previewVisible = false;
    m_info.clear();
    m_timerRunning = true;
    return;
  }
  m_mat = std::move(*mat);
  m_previewVisible = true;
  m_hasCels = !m_mat.cels.empty();
  m_celCounter = 0;
  // Every cel is drawn in turn as it is read, so the last one stays on screen until the first
  // tick.
  if (m_mat.IsTexture()) {
    if (m_hasCels) {
      m_imageWidth = m_mat.cels.back().width;
      m_imageHeight = m_mat.cels.back().height;
    }
  } else {
    m_imageWidth = kPreviewSide;
    m_imageHeight = kPreviewSide;
  }
  if (m_hasCels) m_frame = DrawCel(m_mat, m_mat.cels.size() - 1, m_palette);
  m_info = MaterialInfoText(m_mat);
  m_timerRunning = true;
}

void MatSelectState::Tick() {
  if (!m_timerRunning || !m_hasCels) return;
  ++m_celCounter;
  if (m_celCounter > CelCount() - 1) m_celCounter = 0;
  m_frame = DrawCel(m_mat, static_cast<std::size_t>(m_celCounter), m_palette);
}

void MatSelectState::Close() {
  Forget();
}

}  // namespace kx::resources
