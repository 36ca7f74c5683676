#pragma once

#include "platform/Ui.h"
#include "resources/CelImage.h"
#include "resources/Colormap.h"
#include "resources/MatFile.h"
#include "resources/ResourceLookup.h"

#include <optional>
#include <string>
#include <string_view>

namespace kx::resources {

/// What the material selector shows, without its window: the palette, the cels of the previewed
/// material, the animation over them and the "lblInfo" text. The window paints Frame() on a
/// silver kPreviewSide square, sizes its panel and image from PanelWidth()/ImageWidth() and runs
/// Tick() every 500 ms while TimerRunning().
class MatSelectState {
 public:
  enum class LoadResult {
    Shown,         // the material's cels are shown and animated
    NotAMaterial,  // wrong magic or version: the preview is hidden
    NotFound,      // neither mat\ nor 3do\mat\ has it: the "!" box was shown
  };

  /// The selector is being shown: the preview is hidden and earlier cels are forgotten.
  void Open();

  /// Reads misc\cmp\name into CurrentPalette. Returns false, leaving the palette as it was, when
  /// the colormap is not found. Throws platform::CommandError when it is too short.
  bool LoadColormap(std::string_view name, const ResourcePaths& paths);
  void SetPalette(const Palette& palette) { m_palette = palette; }

  /// Looks mat\name up, or 3do\mat\name when that is missing or shorter than a header, and shows
  /// it. A damaged material throws platform::CommandError (naming the entry) and leaves the
  /// preview hidden with no cels.
  LoadResult LoadMat(std::string_view name, const ResourcePaths& paths, platform::Ui& ui);
  /// Shows a decoded material; nullopt is a file that is not a material.
  void ShowMaterial(std::optional<MatFile> mat);

  /// The 500 ms step: while HasCels, the next cel (after the last, the first) is drawn with the
  /// current palette.
  void Tick();
  /// The selector closes: the timer stops and the cels are released.
  void Close();

  const Palette& CurrentPalette() const { return m_palette; }
  int CelCount() const { return static_cast<int>(m_mat.cels.size()); }
  int CurrentMatType() const { return m_mat.type; }
  bool HasCels() const { return m_hasCels; }
  int CelCounter() const { return m_celCounter; }
  bool TimerRunning() const { return m_timerRunning; }
  bool PreviewVisible() const { return m_previewVisible; }
  /// The text of lblInfo; lines are separated by CR.
  const std::string& Info() const { return m_info; }
  /// pnlMat's and imgMat's sizes.
  int PanelWidth() const { return m_imageWidth + 4; }
  int PanelHeight() const { return m_imageHeight + 4; }
  int ImageWidth() const { return m_imageWidth; }
  int ImageHeight() const { return m_imageHeight; }
  /// The picture drawn last, at the top left of the image; empty before any.
  const RgbImage& Frame() const { return m_frame; }
  const MatFile& Material() const { return m_mat; }

 private:
  void Forget();

  Palette m_palette{};
  MatFile m_mat;
  bool m_hasCels = false;
  int m_celCounter = 0;
  bool m_timerRunning = false;
  bool m_previewVisible = false;
  std::string m_info;
  int m_imageWidth = kPreviewSide;
  int m_imageHeight = kPreviewSide;
  RgbImage m_frame;
};

/// The lblInfo text of a material: size, cel count and mip-map levels of its last cel for a
/// texture ("Number of textures: 0" alone when it has none), the colour count otherwise.
std::string MaterialInfoText(const MatFile& mat);

}  // namespace kx::resources
