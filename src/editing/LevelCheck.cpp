#include "editing/LevelCheck.h"

namespace kx::editing {

std::vector<MessageEntry> CheckEntries(const std::vector<building::RuleProblem>& problems) {
  std::vector<MessageEntry> entries;
  entries.reserve(problems.size());
  for (const auto& problem : problems) {
    MessageEntry entry{problem.text, std::nullopt};
    switch (problem.record) {
      case building::RuleRecord::Surface:
        entry.record = RecordRef{mapview::EditMode::Surface, problem.index};
        break;
      case building::RuleRecord::Sector:
        entry.record = RecordRef{mapview::EditMode::Sector, problem.index};
        break;
      case building::RuleRecord::Thing:
        entry.record = RecordRef{mapview::EditMode::Thing, problem.index};
        break;
      case building::RuleRecord::None:
        break;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string CheckStatusText(std::size_t problems) {
  if (problems == 0) return "Level OK";
  return std::to_string(problems) + (problems == 1 ? " problem" : " problems");
}

}  // namespace kx::editing
