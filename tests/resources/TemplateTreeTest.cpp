#include "resources/TemplateTree.h"

#include <gtest/gtest.h>
#include <memory>

namespace kx::resources {
namespace {

using Entries = std::initializer_list<std::pair<const char*, const char*>>;  // name, basedon

class TemplateTreeTest : public ::testing::Test {
 protected:
  std::string Tree(Entries entries) {
    level->templates.count = 0;
    for (const auto& [name, basedon] : entries) {
      level::Template& t = level->templates[level->templates.count++];
      t.name = name;
      t.basedon = basedon;
    }
    tree = BuildTemplateTree(*level);
    // Every template's node stands for it.
    for (int i = 0; i < level->templates.count; ++i) {
      EXPECT_EQ(tree.nodes.at(std::size_t(level->templates[i].treenode)).templateIndex, i);
    }
    return TemplateTreeText(tree);
  }
  int ParentTemplate(int i) const {
    const int parent = tree.nodes[std::size_t(level->templates[i].treenode)].parent;
    return tree.nodes[std::size_t(parent)].templateIndex;
  }

  std::unique_ptr<level::Level> level = std::make_unique<level::Level>();
  TemplateTree tree;
};

TEST_F(TemplateTreeTest, RootsInAnyCaseAndChildrenDefinedBeforeTheirParents) {
  EXPECT_EQ(Tree({}), "none\n");
  level->templates[10].treenode = 7;  // a stale slot beyond the count is cleared
  EXPECT_EQ(Tree({{"stormtroop", "_HUMANactor"},
                  {"_humanactor", "_actor"},
                  {"_actor", "none"},
                  {"_decor", "None"},
                  {"Zeta", "_decor"},
                  {"alpha", "_DECOR"},
                  {"_weapon", "NONE"}}),
            "none\n  _actor\n    _humanactor\n      stormtroop\n  _decor\n    Zeta\n    alpha\n"
            "  _weapon\n");
  EXPECT_EQ(level->templates[10].treenode, -1);
  EXPECT_EQ(tree.unplacedRoot, -1);
}

TEST_F(TemplateTreeTest, DuplicateNamesGiveChildrenToEachAndLeaveNoTemplateOut) {
  EXPECT_EQ(Tree({{"ghost", "none"}, {"ghost", "none"}, {"ghostling", "ghost"}}),
            "none\n  ghost\n    ghostling\n  ghost\n    ghostling\n");
  EXPECT_EQ(ParentTemplate(2), 1);  // treenode is the node made last
  // Three appearances of "b" fill the count of six before "d" has its place.
  EXPECT_EQ(Tree({{"a", "none"}, {"a", "none"}, {"a", "none"}, {"d", "c"}, {"c", "b"}, {"b", "a"}}),
            "none\n  a\n    b\n  a\n    b\n  a\n    b\n      c\n        d\n");
}

TEST_F(TemplateTreeTest, OrphansAndCyclesGoUnderNoParentFoundWithTheirChildren) {
  EXPECT_EQ(Tree({{"w", "x"},
                  {"p", "q"},
                  {"x", "_missing"},
                  {"q", "p"},
                  {"ok", "none"},
                  {"r", "P"},
                  {"self", "SELF"}}),
            "none\n  ok\n(no parent found)\n  p\n    r\n  x\n    w\n  q\n  self\n");
  EXPECT_EQ(tree.TopLevel(), (std::vector<int>{TemplateTree::kRoot, tree.unplacedRoot}));
  // A cycle through a placed duplicate ends too.
  EXPECT_EQ(Tree({{"a", "none"}, {"b", "a"}, {"a", "b"}, {"lost", "nowhere"}}),
            "none\n  a\n    b\n      a\n        b\n(no parent found)\n  lost\n");
}

TEST_F(TemplateTreeTest, FullTableOfAReversedChainAndOneBigCycleEnds) {
  const int n = level->templates.Capacity();
  for (int i = 0; i < n; ++i) {
    // t0 based on t1 based on ... : each pass places one more; c-templates form one cycle.
    level->templates[i].name = (i < n / 2 ? "t" : "c") + std::to_string(i);
    level->templates[i].basedon = i + 1 == n / 2 ? "none"
                                  : i < n / 2    ? "t" + std::to_string(i + 1)
                                                 : "c" + std::to_string(i + 1 < n ? i + 1 : n / 2);
  }
  level->templates.count = n;
  tree = BuildTemplateTree(*level);
  EXPECT_EQ(tree.nodes.size(), std::size_t(n + 2));
  int depth = 0;
  for (int node = level->templates[0].treenode; node != 0;
       node = tree.nodes[std::size_t(node)].parent) {
    ++depth;
  }
  EXPECT_EQ(depth, n / 2);
  EXPECT_EQ(tree.nodes[std::size_t(tree.unplacedRoot)].children.size(), std::size_t(n / 2));
}

}  // namespace
}  // namespace kx::resources
