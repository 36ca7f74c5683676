#pragma once

#include "editing/ChangeSet.h"
#include "level/Level.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kx::editing {

/// The steps of changes made to the Level since it was opened, in order, with a position
/// between those done and those undone. It also knows whether the Level differs from its last
/// save: the saved state is a position in the history, so undoing back to it is "saved" again.
class EditHistory {
 public:
  /// Told after every step that was made, undone or redone, with the parts it touched.
  using Listener = std::function<void(ChangedParts)>;

  void SetListener(Listener listener) { m_listener = std::move(listener); }

  /// Keeps a finished change as the newest step; the steps undone before it are dropped.
  void Push(std::string name, ChangeSet changes);

  bool CanUndo() const { return m_position > 0; }
  bool CanRedo() const { return m_position < m_steps.size(); }
  /// The name of the step Undo or Redo would take back or make again; empty when there is none.
  std::string UndoName() const;
  std::string RedoName() const;
  /// Puts the records of the newest done step back to their old values, or makes the first
  /// undone step again; does nothing when there is no such step.
  void Undo(level::Level& level);
  void Redo(level::Level& level);

  /// Forgets every step; the Level as it is counts as saved (a project was opened or made).
  void Clear();
  /// The Level as it is now is what was saved last.
  void MarkSaved() { m_saved = m_position; }
  /// The Level as it is now differs from what was saved, though no step says so (it was
  /// restored from a recovery file); only a save makes it "saved" again.
  void MarkUnsaved() { m_saved.reset(); }
  /// Whether the Level differs from its last save (or from its opening).
  bool Modified() const { return m_saved != m_position; }

  std::size_t StepCount() const { return m_steps.size(); }
  /// Steps made so far, counting every Push since the last Clear (undo does not lower it).
  std::size_t PushCount() const { return m_pushes; }
  /// Bytes the steps hold.
  std::size_t HeldBytes() const;

 private:
  struct Step {
    std::string name;
    ChangeSet changes;
  };

  void Tell(ChangedParts parts) const;

  std::vector<Step> m_steps;
  std::size_t m_position = 0;              // steps [0, m_position) are done
  std::optional<std::size_t> m_saved = 0;  // none when the saved state was dropped
  std::size_t m_pushes = 0;
  Listener m_listener;
};

}  // namespace kx::editing
