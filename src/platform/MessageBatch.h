#pragma once

#include "platform/Ui.h"

#include <string>
#include <vector>

namespace kx::platform {

/// Gathers the messages of one operation (one redraw, one pick) and shows them as a single box,
/// one message per line, instead of one modal box per record. Shows what it holds when it is
/// flushed or destroyed.
class MessageBatch {
 public:
  explicit MessageBatch(Ui& ui, BoxKind kind = BoxKind::Plain) : m_ui(ui), m_kind(kind) {}
  ~MessageBatch();
  MessageBatch(const MessageBatch&) = delete;
  MessageBatch& operator=(const MessageBatch&) = delete;

  void Add(std::string text) { m_lines.push_back(std::move(text)); }
  /// Shows the gathered messages, if any, in one box (lines joined by the boxes' CR line break)
  /// and forgets them.
  void Flush();
  const std::vector<std::string>& Pending() const { return m_lines; }

 private:
  Ui& m_ui;
  BoxKind m_kind;
  std::vector<std::string> m_lines;
};

}  // namespace kx::platform
