#pragma once

#include "editing/MessageList.h"
#include "mapview/EditMode.h"

#include <QDockWidget>

#include <string>
#include <vector>

class QListWidget;

namespace kx::shell {

/// The dockable Messages panel (View > Messages): what the current project open reported
/// without interrupting (names not found, the reader's notes), each message once, and the
/// problems the latest check of the level found. An entry about a record tells RecordActivated
/// when it is clicked or activated with Enter, so that the window can select that record.
class MessagesPanel final : public QDockWidget {
  Q_OBJECT

 public:
  explicit MessagesPanel(QWidget* parent = nullptr);

  /// A message about no record.
  void AddNote(const std::string& text);
  /// A message, shown unless the same one is listed.
  void Add(editing::MessageEntry entry);
  /// Lists the problems of the latest check of the level in place of the previous check's.
  void ShowCheck(std::vector<editing::MessageEntry> problems);
  /// Empties the panel: a project open begins.
  void Clear();
  const editing::MessageList& List() const { return m_list; }

 signals:
  void RecordActivated(kx::mapview::EditMode mode, int index);

 private:
  void EntryActivated(int row);
  void AddRow(const editing::MessageEntry& entry);

  editing::MessageList m_list;
  QListWidget* m_lstMessages;
};

}  // namespace kx::shell
