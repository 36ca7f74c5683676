#include "resources/TemplateFilter.h"

#include <gtest/gtest.h>
#include <memory>

namespace kx::resources {
namespace {

class TemplateFilterTest : public ::testing::Test {
 protected:
  TemplateFilterTest() {
    const std::pair<const char*, const char*> templates[] = {
        {"_actor", "none"},     {"_humanactor", "_actor"}, {"stormtroop", "_humanactor"},
        {"_decor", "none"},     {"lamp", "_decor"},        {"Troopship", "none"},
        {"orphan", "_missing"}, {"lamp", "none"},
    };
    for (const auto& [name, basedon] : templates) {
      level::Template& t = level->templates[level->templates.count++];
      t.name = name;
      t.basedon = basedon;
    }
    tree = BuildTemplateTree(*level);
  }

  // The tree's text (as TemplateTreeText writes it) with only the nodes that show.
  std::string Shown(std::string_view filter) const {
    const std::vector<bool> shown = NodesShown(tree, filter);
    std::string text;
    const auto add = [&](const auto& self, int node, int depth) -> void {
      if (!shown[std::size_t(node)]) return;
      text += std::string(std::size_t(depth) * 2, ' ') + tree.nodes[std::size_t(node)].text + '\n';
      for (int child : tree.nodes[std::size_t(node)].children) self(self, child, depth + 1);
    };
    for (int top : tree.TopLevel()) add(add, top, 0);
    return text;
  }

  std::unique_ptr<level::Level> level = std::make_unique<level::Level>();
  TemplateTree tree;
};

TEST_F(TemplateFilterTest, ShowsMatchingTemplatesWithTheirAncestorsOnly) {
  EXPECT_EQ(Shown(""), TemplateTreeText(tree));
  EXPECT_EQ(Shown("TROOP"), "none\n  _actor\n    _humanactor\n      stormtroop\n  Troopship\n");
  EXPECT_EQ(Shown("actor"), "none\n  _actor\n    _humanactor\n");
  EXPECT_EQ(Shown("an"), "none\n  _actor\n    _humanactor\n(no parent found)\n  orphan\n");
  EXPECT_EQ(Shown("none"), "none\n");  // the root stands for no template
  EXPECT_EQ(Shown("zzz"), "none\n");
}

TEST_F(TemplateFilterTest, FindsTheTemplateNodeOfTheFirstVisiblySelectedThing) {
  auto& things = level->things;
  const struct {
    const char* templateName;
    level::RecordMarks marks;  // empty, selected, visible
  } rows[] = {
      {"_decor", {0, 1, 0}},  // selected but hidden
      {"_decor", {1, 1, 1}},  // a free slot
      {"LAMP", {0, 1, 1}},    // the selected thing; names match without regard to case
      {"_actor", {0, 1, 1}},
  };
  for (const auto& row : rows) {
    things[things.count].templateName = row.templateName;
    things[things.count++].marks = row.marks;
  }
  const ThingTemplate found = SelectedThingTemplate(*level);
  EXPECT_EQ(found.thing, 2);
  EXPECT_EQ(found.templateIndex, 4);  // the first "lamp"
  EXPECT_EQ(NodeOfTemplate(tree, 4), level->templates[4].treenode);
  EXPECT_EQ(tree.nodes[std::size_t(NodeOfTemplate(tree, 4))].text, "lamp");

  things[2].templateName = "gone";
  EXPECT_EQ(SelectedThingTemplate(*level).templateIndex, -1);
  EXPECT_EQ(NodeOfTemplate(tree, -1), -1);
  things[2].marks.selected = things[3].marks.selected = 0;
  EXPECT_EQ(SelectedThingTemplate(*level).thing, -1);
}

}  // namespace
}  // namespace kx::resources
