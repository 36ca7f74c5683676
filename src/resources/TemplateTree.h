#pragma once

#include "level/Level.h"

#include <string>
#include <vector>

/// The level's templates as a tree of the basedon relation, as the template hierarchy shows it.
namespace kx::resources {

struct TemplateNode {
  std::string text;           // the template's name as stored, or the caption of a top-level node
  int templateIndex = -1;     // the template it stands for; -1 for the top-level nodes
  int parent = -1;            // -1 for the top-level nodes
  std::vector<int> children;  // node indices, in the order they were placed
};

/// Nodes addressed by index. Node 0 is the top-level node "none"; a second top-level node
/// "(no parent found)" exists only when some templates could not be placed under "none".
struct TemplateTree {
  static constexpr int kRoot = 0;
  std::vector<TemplateNode> nodes;
  int unplacedRoot = -1;

  /// The top-level nodes in the order they are shown.
  std::vector<int> TopLevel() const;
};

inline constexpr const char* kTemplateRootText = "none";
inline constexpr const char* kUnplacedTemplatesText = "(no parent found)";

/// Builds the tree from the templates in use and sets each template's treenode to the node made
/// for it last (-1 for every other slot). Templates based on "none" (any case) hang under the
/// root, every other one under the first childless node of a template of its basedon name, in
/// table order, pass after pass. Templates whose basedon names no template, or that form a cycle,
/// hang under "(no parent found)" in table order, each with the templates derived from it.
/// Building always ends.
TemplateTree BuildTemplateTree(level::Level& level);
/// The same on a table of templates of its own (a copy, for a view that leaves the Level as it
/// is).
TemplateTree BuildTemplateTree(level::Table<level::Template>& templates);

/// One node per line (LF), two blanks of indent per level, the top-level nodes first.
std::string TemplateTreeText(const TemplateTree& tree);

}  // namespace kx::resources
