#include "resources/LineSource.h"

namespace kx::resources {

std::string StringLineSource::ReadLine() {
  std::string line;
  while (m_position < m_text.size()) {
    const char c = m_text[m_position++];
    if (c == '\n') break;
    if (c != '\r') line += c;
  }
  return line;
}

}  // namespace kx::resources
