#include "resources/TemplateTree.h"

#include <gtest/gtest.h>
#include <memory>

namespace kx::resources {
namespace {

struct Entry {
  const char* name;
  const char* basedon;
};

std::unique_ptr<level::Level> LevelWith(std::initializer_list<Entry> entries) {
  auto level = std::make_unique<level::Level>();
  int i = 0;
  for (const Entry& e : entries) {
    level->templates[i].name = e.name;
    level->templates[i].basedon = e.basedon;
    level->templates[i].params = std::string("params of ") + e.name;
    ++i;
  }
  level->templates.count = i;
  return level;
}

// The node a template's treenode refers to, checked to stand for that template.
const TemplateNode& NodeOf(const TemplateTree& tree, const level::Level& level, int index) {
  const int node = level.templates[index].treenode;
  EXPECT_GE(node, 0) << "template " << index;
  const TemplateNode& n = tree.nodes.at(static_cast<std::size_t>(node));
  EXPECT_EQ(n.templateIndex, index);
  return n;
}

TEST(TemplateTreeTest, LevelWithoutTemplatesShowsOnlyNone) {
  level::Level level;
  level.templates[0].treenode = 7;  // left over from an earlier tree
  const TemplateTree tree = BuildTemplateTree(level);
  EXPECT_EQ(TemplateTreeText(tree), "none\n");
  EXPECT_EQ(tree.unplacedRoot, -1);
  EXPECT_EQ(tree.nodes[TemplateTree::kRoot].templateIndex, -1);
  EXPECT_EQ(level.templates[0].treenode, -1);
}

TEST(TemplateTreeTest, RootsInAnyCaseHangUnderNoneInTableOrder) {
  auto level = LevelWith(
      {{"_walkplayer", "none"}, {"_decor", "None"}, {"_weapon", "NONE"}, {"_other", "nonesuch"}});
  level->templates[0].params = "type=player";
  const TemplateTree tree = BuildTemplateTree(*level);
  EXPECT_EQ(TemplateTreeText(tree),
            "none\n  _walkplayer\n  _decor\n  _weapon\n(no parent found)\n  _other\n");
  EXPECT_EQ(NodeOf(tree, *level, 1).parent, TemplateTree::kRoot);
  EXPECT_EQ(NodeOf(tree, *level, 0).text, "_walkplayer");
}

TEST(TemplateTreeTest, ChildDefinedBeforeItsParentIsPlacedInALaterPass) {
  auto level = LevelWith({{"stormtroop", "_humanactor"},
                          {"_humanactor", "_actor"},
                          {"_actor", "none"},
                          {"trooper2", "STORMTROOP"}});
  const TemplateTree tree = BuildTemplateTree(*level);
  EXPECT_EQ(TemplateTreeText(tree),
            "none\n  _actor\n    _humanactor\n      stormtroop\n        trooper2\n");
  const TemplateNode& trooper = NodeOf(tree, *level, 3);
  EXPECT_EQ(tree.nodes[static_cast<std::size_t>(trooper.parent)].templateIndex, 0);
}

TEST(TemplateTreeTest, ChildrenKeepTableOrderAndNamesKeepTheirCase) {
  auto level = LevelWith({{"Base", "none"}, {"Zeta", "base"}, {"alpha", "BASE"}, {"mid", "Zeta"}});
  const TemplateTree tree = BuildTemplateTree(*level);
  EXPECT_EQ(TemplateTreeText(tree), "none\n  Base\n    Zeta\n      mid\n    alpha\n");
}

TEST(TemplateTreeTest, DuplicateNamesReceiveTheirChildrenUnderEachNode) {
  auto level = LevelWith({{"ghost", "none"}, {"ghost", "none"}, {"ghostling", "ghost"}});
  const TemplateTree tree = BuildTemplateTree(*level);
  EXPECT_EQ(TemplateTreeText(tree), "none\n  ghost\n    ghostling\n  ghost\n    ghostling\n");
  // The node made last: under the second ghost.
  const TemplateNode& child = NodeOf(tree, *level, 2);
  EXPECT_EQ(child.parent, level->templates[1].treenode);
}

TEST(TemplateTreeTest, DuplicateAppearancesDoNotLeaveTemplatesOut) {
  // Three appearances of "b" fill the count of six before "d" finds its place.
  auto level =
      LevelWith({{"a", "none"}, {"a", "none"}, {"a", "none"}, {"d", "c"}, {"c", "b"}, {"b", "a"}});
  const TemplateTree tree = BuildTemplateTree(*level);
  EXPECT_EQ(TemplateTreeText(tree),
            "none\n  a\n    b\n  a\n    b\n  a\n    b\n      c\n        d\n");
  EXPECT_EQ(tree.unplacedRoot, -1);
}

TEST(TemplateTreeTest, OrphansAndCyclesGoUnderNoParentFoundWithTheirChildren) {
  auto level = LevelWith({{"w", "x"},
                          {"p", "q"},
                          {"x", "_missing"},
                          {"q", "p"},
                          {"ok", "none"},
                          {"r", "P"},
                          {"self", "SELF"}});
  const TemplateTree tree = BuildTemplateTree(*level);
  EXPECT_EQ(TemplateTreeText(tree),
            "none\n  ok\n(no parent found)\n  p\n    r\n  x\n    w\n  q\n  self\n");
  ASSERT_GE(tree.unplacedRoot, 0);
  EXPECT_EQ(tree.nodes[static_cast<std::size_t>(tree.unplacedRoot)].templateIndex, -1);
  EXPECT_EQ(tree.TopLevel(), (std::vector<int>{TemplateTree::kRoot, tree.unplacedRoot}));
  for (int i = 0; i < level->templates.count; ++i) NodeOf(tree, *level, i);
}

TEST(TemplateTreeTest, EndsOnACycleThatReachesAPlacedDuplicate) {
  // "a" based on "b" based on "a": the duplicate root lets both be placed, over and over in the
  // game's own procedure; "lost" can never be.
  auto level = LevelWith({{"a", "none"}, {"b", "a"}, {"a", "b"}, {"lost", "nowhere"}});
  const TemplateTree tree = BuildTemplateTree(*level);
  const std::string text = TemplateTreeText(tree);
  EXPECT_EQ(text.substr(0, 9), "none\n  a\n");
  EXPECT_NE(text.find("(no parent found)\n  lost\n"), std::string::npos);
  EXPECT_LT(tree.nodes.size(), 20u);
}

TEST(TemplateTreeTest, SlotsBeyondTheCountAreClearedAndNotShown) {
  auto level = LevelWith({{"a", "none"}});
  level->templates[1].name = "stale";
  level->templates[1].basedon = "none";
  level->templates[1].treenode = 3;
  const TemplateTree tree = BuildTemplateTree(*level);
  EXPECT_EQ(TemplateTreeText(tree), "none\n  a\n");
  EXPECT_EQ(level->templates[1].treenode, -1);
}

TEST(TemplateTreeTest, FullTableOfReversedChainAndOneBigCycleStillEnds) {
  level::Level level;
  const int n = level.templates.Capacity();
  // t0 based on t1 ... each pass places only one more template.
  for (int i = 0; i < n / 2; ++i) {
    level.templates[i].name = "t" + std::to_string(i);
    level.templates[i].basedon = i + 1 < n / 2 ? "t" + std::to_string(i + 1) : "none";
  }
  for (int i = n / 2; i < n; ++i) {
    level.templates[i].name = "c" + std::to_string(i);
    level.templates[i].basedon = "c" + std::to_string(i + 1 < n ? i + 1 : n / 2);
  }
  level.templates.count = n;
  const TemplateTree tree = BuildTemplateTree(level);
  EXPECT_EQ(tree.nodes.size(), static_cast<std::size_t>(n + 2));
  // The deepest template of the chain hangs n/2 levels below "none".
  int depth = 0;
  for (int node = level.templates[0].treenode; node != TemplateTree::kRoot;
       node = tree.nodes[static_cast<std::size_t>(node)].parent) {
    ++depth;
  }
  EXPECT_EQ(depth, n / 2);
  // Every member of the cycle stands directly under "(no parent found)".
  EXPECT_EQ(tree.nodes[static_cast<std::size_t>(tree.unplacedRoot)].children.size(),
            static_cast<std::size_t>(n / 2));
}

}  // namespace
}  // namespace kx::resources
