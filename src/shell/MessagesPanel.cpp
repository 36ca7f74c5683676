#include "shell/MessagesPanel.h"

#include "shell/QtText.h"

#include <QListWidget>

namespace kx::shell {

MessagesPanel::MessagesPanel(QWidget* parent) : QDockWidget("Messages", parent) {
  setObjectName("pnlMessages");
  m_lstMessages = new QListWidget(this);
  m_lstMessages->setObjectName("lstMessages");
  m_lstMessages->setAccessibleName("Messages");
  m_lstMessages->setAccessibleDescription(
      "What the last project open reported (names not found and the level reader's notes) and "
      "the problems the last check of the level found");
  m_lstMessages->setUniformItemSizes(true);
  setWidget(m_lstMessages);
  connect(m_lstMessages, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { EntryActivated(m_lstMessages->row(item)); });
  connect(m_lstMessages, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { EntryActivated(m_lstMessages->row(item)); });
}

void MessagesPanel::AddNote(const std::string& text) {
  Add({text, std::nullopt});
}

void MessagesPanel::Add(editing::MessageEntry entry) {
  // A redraw reports the same names again; those are dropped before anything is shown.
  if (!m_list.Add(std::move(entry))) return;
  AddRow(m_list.Entries().back());
}

void MessagesPanel::ShowCheck(std::vector<editing::MessageEntry> problems) {
  m_list.SetCheck(std::move(problems));
  m_lstMessages->clear();
  for (const auto& entry : m_list.Entries()) AddRow(entry);
  if (m_lstMessages->count() > 0) m_lstMessages->scrollToBottom();
}

void MessagesPanel::AddRow(const editing::MessageEntry& entry) {
  // One entry, one line: a line break in a note becomes a blank.
  QString shown = DisplayText(entry.text);
  shown.replace('\n', ' ');
  m_lstMessages->addItem(shown);
}

void MessagesPanel::Clear() {
  m_list.Clear();
  m_lstMessages->clear();
}

void MessagesPanel::EntryActivated(int row) {
  if (const auto record = m_list.RecordAt(row)) emit RecordActivated(record->mode, record->index);
}

}  // namespace kx::shell
