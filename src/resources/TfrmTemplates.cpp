#include "resources/TfrmTemplates.h"

#include "resources/TemplateFilter.h"
#include "shell/QtText.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTreeWidget>

namespace kx::resources {

namespace {

constexpr int kNodeRole = Qt::UserRole;
constexpr int kFilterRowHeight = 28;  // the filter row above the tree
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

}  // namespace

TfrmTemplates::TfrmTemplates(QWidget* parent) : QDialog(parent) {
  setObjectName("frmTemplates");
  setWindowTitle("Template hierarchy");
  setModal(true);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);

  m_lblFilter = new QLabel("F&ilter:", this);
  m_edtFilter = new QLineEdit(this);
  m_edtFilter->setObjectName("edtFilter");
  m_edtFilter->setAccessibleName("Filter");
  m_edtFilter->setAccessibleDescription("Shows only the templates whose name holds this text");
  m_edtFilter->setClearButtonEnabled(true);
  m_lblFilter->setBuddy(m_edtFilter);
  m_btnFind = new QPushButton("&Find", this);
  m_btnFind->setObjectName("btnFind");
  m_btnFind->setAccessibleName("Find the selected thing's template");

  m_treeHierarchy = new QTreeWidget(this);
  m_treeHierarchy->setObjectName("treeHierarchy");
  m_treeHierarchy->setAccessibleName("Templates");
  m_treeHierarchy->setHeaderHidden(true);
  m_treeHierarchy->setColumnCount(1);
  m_treeHierarchy->setIndentation(19);

  m_memoData = new QPlainTextEdit(this);
  m_memoData->setObjectName("memoData");
  m_memoData->setAccessibleName("Template parameters");
  m_memoData->setReadOnly(true);
  m_memoData->setLineWrapMode(QPlainTextEdit::WidgetWidth);

  m_btnOK = new QPushButton("&OK", this);
  m_btnOK->setObjectName("btnOK");
  m_btnOK->setDefault(true);
  m_btnCancel = new QPushButton("&Cancel", this);
  m_btnCancel->setObjectName("btnCancel");

  connect(m_treeHierarchy, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { treeHierarchyChange(current); });
  connect(m_edtFilter, &QLineEdit::textChanged, this, &TfrmTemplates::edtFilterChange);
  connect(m_btnFind, &QPushButton::clicked, this, &TfrmTemplates::btnFindClick);
  connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  setMinimumSize(320, 420);
  resize(557, 566);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TfrmTemplates::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

void TfrmTemplates::FormResize() {
  // The window's rule works on its outer size; the filter row takes its height from the tree.
  const QSize outer = frameGeometry().size();
  const int w = outer.width();
  const int h = outer.height();
  const int client = width();
  const int boxLeft = 4 + m_lblFilter->sizeHint().width() + 4;
  m_lblFilter->setGeometry(4, 2, boxLeft - 8, kFilterRowHeight - 4);
  m_edtFilter->setGeometry(boxLeft, 2, client - boxLeft - kButtonWidth - 8, kFilterRowHeight - 4);
  m_btnFind->setGeometry(client - kButtonWidth - 4, 1, kButtonWidth, kFilterRowHeight - 2);
  m_treeHierarchy->setGeometry(0, kFilterRowHeight, client, h - 273 - kFilterRowHeight);
  m_memoData->setGeometry(0, h - 272, w - 8, 197);
  const int okLeft = (w - 163) / 2;
  m_btnOK->setGeometry(okLeft, h - 62, kButtonWidth, kButtonHeight);
  m_btnCancel->setGeometry(okLeft + 88, h - 62, kButtonWidth, kButtonHeight);
}

QTreeWidgetItem* TfrmTemplates::AddItems(int node, QTreeWidgetItem* parent) {
  const TemplateNode& n = m_tree.nodes[static_cast<std::size_t>(node)];
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_treeHierarchy);
  item->setText(0, shell::DisplayText(n.text));
  item->setData(0, kNodeRole, node);
  m_items[static_cast<std::size_t>(node)] = item;
  for (int child : n.children) AddItems(child, item);
  return item;
}

void TfrmTemplates::Fill(const level::Level& level) {
  m_templates = level.templates;
  m_tree = BuildTemplateTree(m_templates);

  const QSignalBlocker quiet(m_edtFilter);
  m_edtFilter->clear();
  m_treeHierarchy->clear();
  m_items.assign(m_tree.nodes.size(), nullptr);
  for (int top : m_tree.TopLevel()) AddItems(top, nullptr);
  m_treeHierarchy->expandAll();
  m_treeHierarchy->setCurrentItem(Item(TemplateTree::kRoot));
  treeHierarchyChange(Item(TemplateTree::kRoot));

  const ThingTemplate found = SelectedThingTemplate(level);
  m_findNode = NodeOfTemplate(m_tree, found.templateIndex);
  m_btnFind->setEnabled(m_findNode >= 0);
  QString hint;
  if (found.thing < 0) {
    hint = "No thing is selected on the map";
  } else {
    const QString name = shell::DisplayText(level.things[found.thing].templateName);
    hint = m_findNode >= 0
               ? "Selects the template \"" + name + "\" of the thing selected on the map"
               : "The template \"" + name + "\" of the selected thing is not in the level";
  }
  m_btnFind->setToolTip(hint);
  m_btnFind->setAccessibleDescription(hint);
}

void TfrmTemplates::Execute(const level::Level& level) {
  Fill(level);
  m_treeHierarchy->setFocus();
  exec();
}

void TfrmTemplates::treeHierarchyChange(QTreeWidgetItem* node) {
  m_memoData->clear();
  if (!node) return;
  const int n = node->data(0, kNodeRole).toInt();
  const int t = m_tree.nodes.at(static_cast<std::size_t>(n)).templateIndex;
  if (t >= 0) m_memoData->setPlainText(shell::DisplayText(m_templates[t].params));
}

void TfrmTemplates::edtFilterChange() {
  const std::vector<bool> shown = NodesShown(m_tree, shell::GameText(m_edtFilter->text()));
  for (std::size_t n = 0; n < m_items.size(); ++n) m_items[n]->setHidden(!shown[n]);
  QTreeWidgetItem* current = m_treeHierarchy->currentItem();
  if (current && current->isHidden()) m_treeHierarchy->setCurrentItem(Item(TemplateTree::kRoot));
}

void TfrmTemplates::btnFindClick() {
  if (m_findNode < 0) return;
  QTreeWidgetItem* item = Item(m_findNode);
  if (item->isHidden()) m_edtFilter->clear();
  m_treeHierarchy->setCurrentItem(item);
  m_treeHierarchy->scrollToItem(item);
  m_treeHierarchy->setFocus();
}

}  // namespace kx::resources
