#pragma once

#include "platform/Ui.h"
#include "resources/Colormap.h"
#include "resources/ResourceLookup.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;

namespace kx::resources {

class QtMatPreview;

/// "Add material": every material the project and the game hold, a filter box that narrows the
/// list as the user types, and a preview of the highlighted one. Created once and reused.
class TfrmAddMaterial final : public QDialog {
  Q_OBJECT

 public:
  TfrmAddMaterial(QWidget* parent, platform::Ui& ui);

  /// Shows names (the filter empty) modally, previewing through palette; returns the
  /// highlighted name when it closed with OK and one was highlighted.
  std::optional<std::string> Execute(std::vector<std::string> names, const Palette& palette,
                                     const ResourcePaths& paths);

 private:
  void edtFilterChange();
  void lstAllClick();

  platform::Ui& m_ui;
  std::vector<std::string> m_names;
  std::vector<std::string> m_shown;
  QLineEdit* m_edtFilter;
  QListWidget* m_lstAll;
  QtMatPreview* m_preview;
  QLabel* m_lblInfo;
};

}  // namespace kx::resources
