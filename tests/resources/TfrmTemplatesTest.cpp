#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "level/JklReader.h"
#include "resources/TfrmTemplates.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <memory>

namespace kx::resources {
namespace {

class TemplatesWindowTest : public ::testing::Test {
 protected:
  template <typename T>
  T* Child(const char* name) const {
    T* found = dialog.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QTreeWidget* Tree() const { return Child<QTreeWidget>("treeHierarchy"); }
  QString Memo() const { return Child<QPlainTextEdit>("memoData")->toPlainText(); }

  /// The items that show, two blanks of indent per level; "!" marks an item holding children
  /// that is not expanded.
  std::string ShownText() const {
    std::string text;
    const auto add = [&](const auto& self, QTreeWidgetItem* item, int depth) -> void {
      if (item->isHidden()) return;
      text += std::string(std::size_t(depth) * 2, ' ') + item->text(0).toStdString() +
              (item->childCount() > 0 && !item->isExpanded() ? "!" : "") + "\n";
      for (int i = 0; i < item->childCount(); ++i) self(self, item->child(i), depth + 1);
    };
    for (int i = 0; i < Tree()->topLevelItemCount(); ++i) add(add, Tree()->topLevelItem(i), 0);
    return text;
  }

  void AddTemplate(const char* name, const char* basedon, const char* params) {
    level::Template& t = level->templates[level->templates.count++];
    t = {name, basedon, params, -1};
  }
  void AddThing(const char* templateName, bool selected) {
    level::Thing& thing = level->things[level->things.count++];
    thing.templateName = templateName;
    thing.marks = {0, std::uint8_t(selected ? 1 : 0), 1};
  }

  TfrmTemplates dialog;
  std::unique_ptr<level::Level> level = std::make_unique<level::Level>();
};

TEST_F(TemplatesWindowTest, ACorpusLevelShowsWhatTheToolPrintsExpandedWithNoneSelected) {
  const auto corpus = test::CorpusDir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus on this machine";
  const auto path = corpus / "LegendaryGuard+TDiR_level" / "jkl" / "hell.jkl";
  test::FakeUi ui;
  level::ReadLevel(*level, path, "hell.jkl", ui);
  const level::Level before = *level;

  test::TempDir dir;
  const auto out = dir.path() / "tree.txt";
  const std::string command =
      "'" KX_TOOL_PATH "' jkl templates '" + path.string() + "' >'" + out.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  dialog.Fill(*level);
  EXPECT_EQ(ShownText(), test::ReadAll(out));
  EXPECT_GT(level->templates.count, 400);
  EXPECT_TRUE(*level == before);  // the window is a viewer

  EXPECT_EQ(Tree()->currentItem(), Tree()->topLevelItem(0));
  EXPECT_EQ(Memo(), "");
  Tree()->setFocus();
  QTest::keyClick(Tree(), Qt::Key_Down);
  const int first = Tree()->currentItem()->data(0, Qt::UserRole).toInt();
  const int t = dialog.Tree().nodes[std::size_t(first)].templateIndex;
  ASSERT_GE(t, 0);
  EXPECT_EQ(Memo().toStdString(), level->templates[t].params);
  QTest::keyClick(Tree(), Qt::Key_Up);
  EXPECT_EQ(Memo(), "");
}

TEST_F(TemplatesWindowTest, TheFilterKeepsAncestorsAndFindSelectsTheSelectedThingsTemplate) {
  AddTemplate("_actor", "none", "type=actor");
  AddTemplate("stormtroop", "_actor", "model3d=st.3do");
  AddTemplate("_decor", "none", "type=cog");
  AddTemplate("lamp", "_decor", "model3d=lamp.3do light=0.5");
  AddThing("stormtroop", false);
  AddThing("LAMP", true);
  dialog.Fill(*level);
  auto* filter = Child<QLineEdit>("edtFilter");
  auto* find = Child<QPushButton>("btnFind");
  EXPECT_EQ(filter->accessibleName(), "Filter");
  EXPECT_EQ(Tree()->accessibleName(), "Templates");
  EXPECT_EQ(Child<QPlainTextEdit>("memoData")->accessibleName(), "Template parameters");
  ASSERT_TRUE(find->isEnabled());

  QTest::keyClicks(filter, "TROOP");
  EXPECT_EQ(ShownText(), "none\n  _actor\n    stormtroop\n");
  QTest::mouseClick(find, Qt::LeftButton);  // the lamp is hidden: the filter goes
  EXPECT_EQ(filter->text(), "");
  EXPECT_EQ(Tree()->currentItem()->text(0), "lamp");
  EXPECT_EQ(Memo(), "model3d=lamp.3do light=0.5");
  QTest::keyClicks(filter, "actor");  // hides the selected template: back to "none"
  EXPECT_EQ(Tree()->currentItem()->text(0), "none");
  EXPECT_EQ(Memo(), "");

  level->things[1].marks.selected = 0;
  dialog.Fill(*level);
  EXPECT_EQ(filter->text(), "");
  EXPECT_FALSE(find->isEnabled());
  EXPECT_EQ(find->accessibleDescription(), "No thing is selected on the map");
  level->things[1].marks.selected = 1;
  level->things[1].templateName = "gone";
  dialog.Fill(*level);
  EXPECT_FALSE(find->isEnabled());
  EXPECT_EQ(find->accessibleDescription(),
            "The template \"gone\" of the selected thing is not in the level");
}

TEST_F(TemplatesWindowTest, ResizingTo600By600LaysTheWindowOutByItsRule) {
  dialog.Fill(*level);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  // The rule works on the window's outer size, frame included.
  dialog.resize(QSize(600, 600) - (dialog.frameGeometry().size() - dialog.size()));
  QCoreApplication::processEvents();
  ASSERT_EQ(dialog.frameGeometry().size(), QSize(600, 600));
  EXPECT_EQ(Child<QPlainTextEdit>("memoData")->geometry(), QRect(0, 328, 592, 197));
  EXPECT_EQ(Tree()->geometry().bottom(), 326);  // one pixel above the text box, as before
  EXPECT_EQ(Child<QPushButton>("btnOK")->pos(), QPoint(218, 538));
  EXPECT_EQ(Child<QPushButton>("btnCancel")->pos(), QPoint(306, 538));
  dialog.hide();
}

}  // namespace
}  // namespace kx::resources
