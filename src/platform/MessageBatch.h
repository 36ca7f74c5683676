#pragma once

#include "platform/Ui.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kx::platform {

/// The most names one message box lists; the Messages panel keeps them all.
inline constexpr std::size_t kBoxNameLimit = 10;

/// names joined with separator, for a box: when there are more than kBoxNameLimit, the first
/// ones and then "... and N more (View > Messages)" as one more entry.
std::string JoinForBox(const std::vector<std::string>& names, std::string_view separator);

/// Gathers the messages of one operation (one redraw, one pick) and shows them as a single box,
/// one message per line (at most kBoxNameLimit of them), instead of one modal box per record.
/// Each message is also handed on as a note when it is added, for the Messages panel. Shows what
/// it holds when it is flushed or destroyed.
class MessageBatch {
 public:
  explicit MessageBatch(Ui& ui, BoxKind kind = BoxKind::Plain) : m_ui(ui), m_kind(kind) {}
  ~MessageBatch();
  MessageBatch(const MessageBatch&) = delete;
  MessageBatch& operator=(const MessageBatch&) = delete;

  void Add(std::string text);
  /// Shows the gathered messages, if any, in one box (lines joined by the boxes' CR line break,
  /// cut as JoinForBox cuts them) and forgets them.
  void Flush();
  const std::vector<std::string>& Pending() const { return m_lines; }

 private:
  Ui& m_ui;
  BoxKind m_kind;
  std::vector<std::string> m_lines;
};

}  // namespace kx::platform
