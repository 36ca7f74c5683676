#include "level/TextLines.h"

namespace kx::level {

namespace {

// DOS editors close a text with Ctrl-Z; what follows it is not part of the text.
std::string_view UpToCtrlZ(std::string_view text) {
  const std::size_t end = text.find('\x1a');
  return end == std::string_view::npos ? text : text.substr(0, end);
}

}  // namespace

TextLines::TextLines(std::string_view text) : m_text(UpToCtrlZ(text)) {}

bool TextLines::Next(std::string_view& line) {
  if (m_pos >= m_text.size()) return false;
  const char* begin = m_text.data() + m_pos;
  const char* const textEnd = m_text.data() + m_text.size();
  const char* end = begin;
  while (end != textEnd && *end != '\r' && *end != '\n') ++end;
  line = std::string_view(begin, static_cast<std::size_t>(end - begin));
  m_pos += line.size();
  if (m_pos < m_text.size()) {
    const bool crlf = m_text[m_pos] == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n';
    m_pos += crlf ? 2 : 1;
  }
  ++m_lineNumber;
  return true;
}

std::int64_t CountLineEnds(std::string_view text) {
  text = UpToCtrlZ(text);
  // Every CR and every LF ends a line, except the LF of a CR LF pair. Counted without
  // branches so that the compiler can vectorise the loops.
  std::int64_t ends = 0;
  for (const char c : text) ends += (c == '\r') + (c == '\n');
  for (std::size_t i = 1; i < text.size(); ++i) ends -= (text[i - 1] == '\r') & (text[i] == '\n');
  return ends;
}

}  // namespace kx::level
