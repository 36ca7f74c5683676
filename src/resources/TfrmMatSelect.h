#pragma once

#include "editing/Editor.h"
#include "platform/Ui.h"

#include <QDialog>

#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace kx::resources {

class QtMatPreview;
class TfrmAddMaterial;

/// The material selector: the level's materials, a preview of the highlighted one through a
/// chosen colormap (animating materials of several cels), and "Add material", which brings a
/// material of the project or the game into the level. Created once and reused.
class TfrmMatSelect final : public QDialog {
  Q_OBJECT

 public:
  TfrmMatSelect(QWidget* parent, editing::Editor& editor, platform::Ui& ui);

  /// Shows the selector modally with the material named current (the "Mat:" label's text)
  /// highlighted and previewed. Returns the highlighted material's index when it closed with
  /// OK and one was highlighted.
  std::optional<int> Execute(const std::string& current);

  /// The "Add material" window (for the tests that drive it).
  TfrmAddMaterial& AddWindow() { return *m_addMaterial; }

 private:
  void FormShow(const std::string& current);
  void FormHide();
  void FillMaterials(int highlighted);
  void lstMatsClick();
  void cboPaletteChange();
  void btnAddClick();
  void LoadMat(const std::string& name);
  void ShowInfo();
  bool Run(const std::function<void()>& command);

  editing::Editor& m_editor;
  platform::Ui& m_ui;
  QListWidget* m_lstMats;
  QPushButton* m_btnAdd;
  QtMatPreview* m_preview;
  QLabel* m_lblInfo;
  QComboBox* m_cboPalette;
  TfrmAddMaterial* m_addMaterial;
};

}  // namespace kx::resources
