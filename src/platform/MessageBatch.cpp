#include "platform/MessageBatch.h"

namespace kx::platform {

MessageBatch::~MessageBatch() {
  try {
    Flush();
  } catch (...) {
    // A destructor must not throw; the messages are lost only when the box itself failed.
  }
}

void MessageBatch::Flush() {
  if (m_lines.empty()) return;
  std::string text;
  for (const auto& line : m_lines) {
    if (!text.empty()) text += '\r';
    text += line;
  }
  m_lines.clear();
  m_ui.ShowMessage(m_kind, text);
}

}  // namespace kx::platform
