#pragma once

#include "level/Level.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kx::mapview {

/// The index of the first template whose name equals name, case ignored; -1 when none does.
int FindTemplate(const level::Level& level, std::string_view name);

/// The model named by "MODEL3D=" in a template's params: the index of the first model whose
/// name equals it, case ignored; -1 when the params name none or no such model is listed.
/// Only these params are searched, not those of the template it is based on.
int FindTemplateModel(const level::Level& level, std::string_view params);

/// The upper-cased model name that params give after "MODEL3D" and one more character (normally
/// "="), up to the first blank or tab; nullopt when params hold no "MODEL3D".
std::optional<std::string> ModelNameInParams(std::string_view params);

/// FindTemplate followed by FindTemplateModel for many things at once: the same answers from
/// hash tables built once, for a redraw or pick that looks up every thing. Holds no reference
/// to the level; build it afresh for each operation.
class TemplateModelIndex {
 public:
  struct Found {
    int templateIndex = -1;  // -1: no such template
    int modelIndex = -1;     // -1: no template, or its params name no listed model
  };

  explicit TemplateModelIndex(const level::Level& level);
  Found Lookup(std::string_view templateName) const;

 private:
  std::unordered_map<std::string, int> m_templates;  // upper-cased name -> first index
  std::vector<int> m_modelOfTemplate;
};

}  // namespace kx::mapview
