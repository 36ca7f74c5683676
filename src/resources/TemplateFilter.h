#pragma once

#include "level/Level.h"
#include "resources/TemplateTree.h"

#include <string_view>
#include <vector>

/// What the template window shows of the tree for a filter text, and where a thing's template is.
namespace kx::resources {

/// One flag per node of tree: whether it shows for filter. With an empty filter every node
/// shows; otherwise the nodes of templates whose name contains filter (case ignored) show, with
/// every node above them so that the tree stays a tree. The root "none" always shows.
std::vector<bool> NodesShown(const TemplateTree& tree, std::string_view filter);

/// The node that stands for template templateIndex (the one made last, as its treenode says), or
/// -1 when the tree has none.
int NodeOfTemplate(const TemplateTree& tree, int templateIndex);

/// The selected thing, the first in table order that is in use, visible and selected, and the
/// first template whose name is the thing's template name (case ignored).
struct ThingTemplate {
  int thing = -1;          // -1: no thing is selected
  int templateIndex = -1;  // -1: no thing, or the level has no template of that name
};
ThingTemplate SelectedThingTemplate(const level::Level& level);

}  // namespace kx::resources
