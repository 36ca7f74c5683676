#include "platform/MessageBatch.h"

namespace kx::platform {

std::string JoinForBox(const std::vector<std::string>& names, std::string_view separator) {
  const std::size_t shown = names.size() > kBoxNameLimit ? kBoxNameLimit : names.size();
  std::string text;
  for (std::size_t i = 0; i < shown; ++i) {
    if (i > 0) text += separator;
    text += names[i];
  }
  if (shown < names.size()) {
    text += separator;
    text += "... and " + std::to_string(names.size() - shown) + " more (View > Messages)";
  }
  return text;
}

MessageBatch::~MessageBatch() {
  try {
    Flush();
  } catch (...) {
    // A destructor must not throw; the messages are lost only when the box itself failed.
  }
}

void MessageBatch::Add(std::string text) {
  m_ui.Note(text);
  m_lines.push_back(std::move(text));
}

void MessageBatch::Flush() {
  if (m_lines.empty()) return;
  const std::string text = JoinForBox(m_lines, "\r");
  m_lines.clear();
  m_ui.ShowMessage(m_kind, text);
}

}  // namespace kx::platform
