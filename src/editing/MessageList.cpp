#include "editing/MessageList.h"

namespace kx::editing {

namespace {

std::tuple<std::string, int, int> KeyOf(const MessageEntry& entry) {
  if (!entry.record) return {entry.text, 0, 0};
  return {entry.text, static_cast<int>(entry.record->mode), entry.record->index};
}

}  // namespace

void MessageList::Clear() {
  m_entries.clear();
  m_fromCheck.clear();
  m_keys.clear();
}

bool MessageList::Add(MessageEntry entry) {
  if (!m_keys.insert(KeyOf(entry)).second) return false;
  m_entries.push_back(std::move(entry));
  m_fromCheck.push_back(false);
  return true;
}

void MessageList::SetCheck(std::vector<MessageEntry> problems) {
  std::vector<MessageEntry> kept;
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (m_fromCheck[i]) {
      m_keys.erase(KeyOf(m_entries[i]));
    } else {
      kept.push_back(std::move(m_entries[i]));
    }
  }
  m_entries = std::move(kept);
  m_fromCheck.assign(m_entries.size(), false);
  for (auto& problem : problems) {
    if (!m_keys.insert(KeyOf(problem)).second) continue;
    m_entries.push_back(std::move(problem));
    m_fromCheck.push_back(true);
  }
}

std::optional<RecordRef> MessageList::RecordAt(int row) const {
  if (row < 0 || row >= static_cast<int>(m_entries.size())) return std::nullopt;
  return m_entries[static_cast<std::size_t>(row)].record;
}

}  // namespace kx::editing
