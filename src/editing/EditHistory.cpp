#include "editing/EditHistory.h"

namespace kx::editing {

void EditHistory::Push(std::string name, ChangeSet changes) {
  if (m_saved && *m_saved > m_position) m_saved.reset();  // the saved state is undone for good
  m_steps.resize(m_position);
  const ChangedParts parts = changes.Parts();
  m_steps.push_back({std::move(name), std::move(changes)});
  m_position = m_steps.size();
  ++m_pushes;
  Tell(parts);
}

std::string EditHistory::UndoName() const {
  return CanUndo() ? m_steps[m_position - 1].name : std::string();
}

std::string EditHistory::RedoName() const {
  return CanRedo() ? m_steps[m_position].name : std::string();
}

void EditHistory::Undo(level::Level& level) {
  if (!CanUndo()) return;
  const Step& step = m_steps[--m_position];
  step.changes.WriteBefore(level);
  Tell(step.changes.Parts());
}

void EditHistory::Redo(level::Level& level) {
  if (!CanRedo()) return;
  const Step& step = m_steps[m_position++];
  step.changes.WriteAfter(level);
  Tell(step.changes.Parts());
}

void EditHistory::Clear() {
  m_steps.clear();
  m_position = 0;
  m_saved = 0;
  m_pushes = 0;
}

std::size_t EditHistory::HeldBytes() const {
  std::size_t bytes = m_steps.capacity() * sizeof(Step);
  for (const Step& step : m_steps) bytes += step.name.capacity() + step.changes.HeldBytes();
  return bytes;
}

void EditHistory::Tell(ChangedParts parts) const {
  if (m_listener) m_listener(parts);
}

}  // namespace kx::editing
