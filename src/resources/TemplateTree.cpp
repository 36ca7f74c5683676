#include "resources/TemplateTree.h"

#include "level/Words.h"

#include <algorithm>

namespace kx::resources {

namespace {

using level::ToUpperAscii;

class TreeBuilder {
 public:
  explicit TreeBuilder(level::Table<level::Template>& templates) : m_templates(templates) {
    const int count = m_templates.Used();
    for (int i = 0; i < count; ++i) {
      m_names.push_back(ToUpperAscii(m_templates[i].name));
      m_basedOn.push_back(ToUpperAscii(m_templates[i].basedon));
    }
  }

  TemplateTree Build() {
    for (auto& slot : m_templates.items) slot.treenode = -1;
    m_tree.nodes.push_back(TemplateNode{kTemplateRootText, -1, -1, {}});
    for (int i = 0; i < Count(); ++i) {
      if (m_basedOn[Index(i)] == "NONE") Place(i, TemplateTree::kRoot);
    }
    // Every appearance counts, so with duplicate names the count can reach the table size
    // while some templates still wait; the passes after it place only those, once each.
    while (m_appearances < Count() && RunPass(PassKind::Every)) {
    }
    while (!AllPlaced() && RunPass(PassKind::UnplacedOnly)) {
    }
    if (AllPlaced()) return std::move(m_tree);

    m_tree.unplacedRoot = AddNode(-1, kUnplacedTemplatesText, -1);
    for (int i : UnplaceableTemplates()) Place(i, m_tree.unplacedRoot);
    while (!AllPlaced() && RunPass(PassKind::UnplacedOnly)) {
    }
    return std::move(m_tree);
  }

 private:
  enum class PassKind { Every, UnplacedOnly };

  int Count() const { return static_cast<int>(m_names.size()); }
  static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
  bool IsPlaced(int i) const { return m_templates[i].treenode >= 0; }
  bool AllPlaced() const {
    for (int i = 0; i < Count(); ++i) {
      if (!IsPlaced(i)) return false;
    }
    return true;
  }

  int AddNode(int parent, const std::string& text, int templateIndex) {
    const int node = static_cast<int>(m_tree.nodes.size());
    m_tree.nodes.push_back(TemplateNode{text, templateIndex, parent, {}});
    if (parent >= 0) m_tree.nodes[Index(parent)].children.push_back(node);
    return node;
  }

  void Place(int i, int parentNode) {
    m_templates[i].treenode = AddNode(parentNode, m_templates[i].name, i);
    ++m_appearances;
  }

  // One pass: every template whose node is still childless, in table order, receives all
  // templates based on its name. A node made earlier in the same pass is visited when its
  // template comes later in the table. Returns whether a template got its first node; once a
  // pass places none, no later pass can.
  bool RunPass(PassKind kind) {
    bool placedNew = false;
    for (int j = 0; j < Count(); ++j) {
      const int node = m_templates[j].treenode;
      if (node < 0 || !m_tree.nodes[Index(node)].children.empty()) continue;
      for (int i = 0; i < Count(); ++i) {
        if (m_basedOn[Index(i)] != m_names[Index(j)]) continue;
        const bool wasPlaced = IsPlaced(i);
        if (wasPlaced && kind == PassKind::UnplacedOnly) continue;
        Place(i, node);
        placedNew = placedNew || !wasPlaced;
      }
    }
    return placedNew;
  }

  // The unplaced templates that head what is left: those whose basedon names no template and
  // those on a cycle of basedon names. Every other unplaced template descends from one of them,
  // and every template an unplaced one is based on is unplaced too (else a pass would have
  // placed it).
  std::vector<int> UnplaceableTemplates() {
    m_edges.assign(Index(Count()), {});
    for (int i = 0; i < Count(); ++i) {
      if (IsPlaced(i)) continue;
      for (int j = 0; j < Count(); ++j) {
        if (m_basedOn[Index(i)] == m_names[Index(j)]) m_edges[Index(i)].push_back(j);
      }
    }
    m_order.assign(Index(Count()), -1);
    m_low.assign(Index(Count()), 0);
    m_onStack.assign(Index(Count()), false);
    m_onCycle.assign(Index(Count()), false);
    m_stack.clear();
    m_visited = 0;
    for (int i = 0; i < Count(); ++i) {
      if (!IsPlaced(i) && m_order[Index(i)] < 0) VisitComponent(i);
    }
    std::vector<int> heads;
    for (int i = 0; i < Count(); ++i) {
      if (!IsPlaced(i) && (m_edges[Index(i)].empty() || m_onCycle[Index(i)])) heads.push_back(i);
    }
    return heads;
  }

  // Tarjan's strongly connected components over the basedon edges of unplaced templates; the
  // recursion is at most one level per template.
  void VisitComponent(int i) {
    m_order[Index(i)] = m_low[Index(i)] = m_visited++;
    m_stack.push_back(i);
    m_onStack[Index(i)] = true;
    for (int j : m_edges[Index(i)]) {
      if (m_order[Index(j)] < 0) {
        VisitComponent(j);
        m_low[Index(i)] = std::min(m_low[Index(i)], m_low[Index(j)]);
      } else if (m_onStack[Index(j)]) {
        m_low[Index(i)] = std::min(m_low[Index(i)], m_order[Index(j)]);
      }
    }
    if (m_low[Index(i)] != m_order[Index(i)]) return;
    std::vector<int> component;
    int member = -1;
    do {
      member = m_stack.back();
      m_stack.pop_back();
      m_onStack[Index(member)] = false;
      component.push_back(member);
    } while (member != i);
    const auto& edges = m_edges[Index(i)];
    const bool selfBased = std::find(edges.begin(), edges.end(), i) != edges.end();
    if (component.size() > 1 || selfBased) {
      for (int m : component) m_onCycle[Index(m)] = true;
    }
  }

  level::Table<level::Template>& m_templates;
  std::vector<std::string> m_names;    // upper case, per template in use
  std::vector<std::string> m_basedOn;  // upper case
  TemplateTree m_tree;
  int m_appearances = 0;

  std::vector<std::vector<int>> m_edges;
  std::vector<int> m_order, m_low, m_stack;
  std::vector<bool> m_onStack, m_onCycle;
  int m_visited = 0;
};

void AppendNode(const TemplateTree& tree, int node, int depth, std::string& text) {
  const TemplateNode& n = tree.nodes[static_cast<std::size_t>(node)];
  text.append(static_cast<std::size_t>(depth) * 2, ' ');
  text += n.text;
  text += '\n';
  for (int child : n.children) AppendNode(tree, child, depth + 1, text);
}

}  // namespace

std::vector<int> TemplateTree::TopLevel() const {
  std::vector<int> top;
  if (!nodes.empty()) top.push_back(kRoot);
  if (unplacedRoot >= 0) top.push_back(unplacedRoot);
  return top;
}

TemplateTree BuildTemplateTree(level::Level& level) {
  return TreeBuilder(level.templates).Build();
}

TemplateTree BuildTemplateTree(level::Table<level::Template>& templates) {
  return TreeBuilder(templates).Build();
}

std::string TemplateTreeText(const TemplateTree& tree) {
  std::string text;
  for (int node : tree.TopLevel()) AppendNode(tree, node, 0, text);
  return text;
}

}  // namespace kx::resources
