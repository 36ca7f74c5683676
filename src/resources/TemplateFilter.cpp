#include "resources/TemplateFilter.h"

#include "level/Words.h"
#include "mapview/TemplateLookup.h"

namespace kx::resources {

std::vector<bool> NodesShown(const TemplateTree& tree, std::string_view filter) {
  std::vector<bool> shown(tree.nodes.size(), filter.empty());
  if (filter.empty()) return shown;
  if (!shown.empty()) shown[TemplateTree::kRoot] = true;
  const std::string wanted = level::ToUpperAscii(filter);
  for (std::size_t n = 0; n < tree.nodes.size(); ++n) {
    const TemplateNode& node = tree.nodes[n];
    if (node.templateIndex < 0) continue;
    if (level::ToUpperAscii(node.text).find(wanted) == std::string::npos) continue;
    // A parent is made before its children, so the way up ends at a top-level node.
    for (int at = static_cast<int>(n); at >= 0 && !shown[static_cast<std::size_t>(at)];
         at = tree.nodes[static_cast<std::size_t>(at)].parent) {
      shown[static_cast<std::size_t>(at)] = true;
    }
  }
  return shown;
}

int NodeOfTemplate(const TemplateTree& tree, int templateIndex) {
  if (templateIndex < 0) return -1;
  for (int n = static_cast<int>(tree.nodes.size()) - 1; n >= 0; --n) {
    if (tree.nodes[static_cast<std::size_t>(n)].templateIndex == templateIndex) return n;
  }
  return -1;
}

ThingTemplate SelectedThingTemplate(const level::Level& level) {
  ThingTemplate found;
  for (int i = 0; i < level.things.Used(); ++i) {
    if (!level.things[i].marks.IsVisiblySelected()) continue;
    found.thing = i;
    found.templateIndex = mapview::FindTemplate(level, level.things[i].templateName);
    break;
  }
  return found;
}

}  // namespace kx::resources
