#include "mapview/TemplateLookup.h"

#include "level/Words.h"

namespace kx::mapview {

using level::EqualsIgnoringCase;
using level::ToUpperAscii;

int FindTemplate(const level::Level& level, std::string_view name) {
  for (int i = 0; i < level.templates.Used(); ++i) {
    if (EqualsIgnoringCase(level.templates[i].name, name)) return i;
  }
  return -1;
}

std::optional<std::string> ModelNameInParams(std::string_view params) {
  const std::string upper = ToUpperAscii(params);
  const std::size_t at = upper.find("MODEL3D");
  if (at == std::string::npos) return std::nullopt;
  // The seven letters and the character after them (the "=") are skipped.
  const std::size_t start = at + 8;
  std::string_view rest = start < upper.size() ? std::string_view(upper).substr(start) : "";
  // Tabs separate params as blanks do in hand-edited levels.
  const std::size_t blank = rest.find_first_of(" \t");
  if (blank != std::string_view::npos) rest = rest.substr(0, blank);
  return std::string(level::Trim(rest));
}

static int FindModelNamed(const level::Level& level, std::string_view upperName) {
  for (int i = 0; i < level.models.Used(); ++i) {
    if (EqualsIgnoringCase(level.models[i].name, upperName)) return i;
  }
  return -1;
}

int FindTemplateModel(const level::Level& level, std::string_view params) {
  const auto name = ModelNameInParams(params);
  return name ? FindModelNamed(level, *name) : -1;
}

TemplateModelIndex::TemplateModelIndex(const level::Level& level) {
  std::unordered_map<std::string, int> models;
  for (int i = 0; i < level.models.Used(); ++i) {
    models.try_emplace(ToUpperAscii(level.models[i].name), i);
  }
  const int count = level.templates.Used();
  m_modelOfTemplate.assign(static_cast<std::size_t>(count), -1);
  for (int i = 0; i < count; ++i) {
    const auto& entry = level.templates[i];
    if (!m_templates.try_emplace(ToUpperAscii(entry.name), i).second) continue;
    if (const auto name = ModelNameInParams(entry.params)) {
      const auto model = models.find(*name);
      if (model != models.end()) m_modelOfTemplate[static_cast<std::size_t>(i)] = model->second;
    }
  }
}

TemplateModelIndex::Found TemplateModelIndex::Lookup(std::string_view templateName) const {
  const auto found = m_templates.find(ToUpperAscii(templateName));
  if (found == m_templates.end()) return {};
  return {found->second, m_modelOfTemplate[static_cast<std::size_t>(found->second)]};
}

}  // namespace kx::mapview
