#pragma once

#include "platform/Ui.h"
#include "resources/MatSelectState.h"

#include <QFrame>

#include <string>

class QDialog;
class QLabel;
class QTimer;

namespace kx::resources {

/// The material preview of the selector windows: the panel pnlMat with its single border and
/// the image imgMat inside, showing what a MatSelectState drew last, and the 500 ms timer
/// clkImage that steps through the cels while the state wants it to run.
class QtMatPreview final : public QFrame {
  Q_OBJECT

 public:
  QtMatPreview(QWidget* parent, platform::Ui& ui);

  void SetPaths(ResourcePaths paths) { m_paths = std::move(paths); }
  /// The window is being shown: the preview is hidden and earlier cels are forgotten.
  void Open();
  /// Loads a colormap into the palette; the preview shows it at the next tick. Returns false
  /// when it is not found.
  bool LoadColormap(const std::string& name);
  void SetPalette(const Palette& palette) { m_state.SetPalette(palette); }
  /// Loads a material and shows it. Throws platform::CommandError for a damaged material.
  void LoadMat(const std::string& name);
  /// The window closes: the timer stops and the cels are released.
  void Close();

  const MatSelectState& State() const { return m_state; }
  /// lblInfo's text, lines separated by line feeds.
  QString InfoText() const;

 private:
  void clkImageTimer();
  void Show();

  platform::Ui& m_ui;
  ResourcePaths m_paths;
  MatSelectState m_state;
  QWidget* m_imgMat;
  QTimer* m_clkImage;
};

/// The right half the material windows share: the "Preview: " group holding a preview, the info
/// label lblInfo under it, and the buttons "&OK" (the default) and "&Cancel" that close dialog.
struct PreviewSide {
  QtMatPreview* preview;
  QLabel* lblInfo;
};
PreviewSide AddPreviewSide(QDialog& dialog, platform::Ui& ui);

}  // namespace kx::resources
