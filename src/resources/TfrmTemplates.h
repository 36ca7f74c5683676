#pragma once

#include "level/Level.h"
#include "resources/TemplateTree.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kx::resources {

/// The template hierarchy ("Template hierarchy"): the level's templates as a tree of what each
/// is based on, fully expanded, and the parameters of the selected one. A filter box above the
/// tree narrows it to the templates whose name holds its text, and "Find" selects the template
/// of the thing selected on the map. It is a viewer: the Level stays as it is.
class TfrmTemplates final : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmTemplates(QWidget* parent = nullptr);

  /// The Edit menu's "&Templates": Fill, then shows the window modally.
  void Execute(const level::Level& level);
  /// Builds the tree from a copy of the level's templates, expands every node, empties the
  /// filter, selects "none" and finds the selected thing's template for "Find".
  void Fill(const level::Level& level);

  const TemplateTree& Tree() const { return m_tree; }
  /// The tree item of node n.
  QTreeWidgetItem* Item(int node) const { return m_items.at(static_cast<std::size_t>(node)); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FormResize();
  void treeHierarchyChange(QTreeWidgetItem* node);
  void edtFilterChange();
  void btnFindClick();
  QTreeWidgetItem* AddItems(int node, QTreeWidgetItem* parent);

  QLabel* m_lblFilter;
  QLineEdit* m_edtFilter;
  QPushButton* m_btnFind;
  QTreeWidget* m_treeHierarchy;
  QPlainTextEdit* m_memoData;
  QPushButton* m_btnOK;
  QPushButton* m_btnCancel;

  // The templates the tree was built from: a copy, so that building it writes nothing into
  // the Level.
  level::Table<level::Template> m_templates{level::capacity::kTemplates};
  TemplateTree m_tree;
  std::vector<QTreeWidgetItem*> m_items;  // one per node of m_tree
  int m_findNode = -1;                    // the node "Find" selects; -1 when there is none
};

}  // namespace kx::resources
