#include "level/TextLines.h"

#include <cstring>

namespace kx::level {

namespace {

// DOS editors close a text with Ctrl-Z; what follows it is not part of the text.
std::string_view UpToCtrlZ(std::string_view text) {
  const std::size_t end = text.find('\x1a');
  return end == std::string_view::npos ? text : text.substr(0, end);
}

std::size_t FindLf(std::string_view text, std::size_t from) {
  const std::size_t lf = text.find('\n', from);
  return lf == std::string_view::npos ? text.size() : lf;
}

}  // namespace

TextLines::TextLines(std::string_view text)
    : m_text(UpToCtrlZ(text)), m_nextLf(FindLf(m_text, 0)) {}

bool TextLines::Next(std::string_view& line) {
  if (m_pos >= m_text.size()) return false;
  // The next line feed is looked for only when the last one found is behind us, so that a
  // text with CR alone as line end is not searched to its end for every line.
  if (m_nextLf < m_pos) m_nextLf = FindLf(m_text, m_pos);
  const char* begin = m_text.data() + m_pos;
  const void* cr = std::memchr(begin, '\r', m_nextLf - m_pos);
  const char* end = cr ? static_cast<const char*>(cr) : m_text.data() + m_nextLf;
  line = std::string_view(begin, static_cast<std::size_t>(end - begin));
  m_pos += line.size();
  if (m_pos < m_text.size()) {
    const bool crlf =
        m_text[m_pos] == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n';
    m_pos += crlf ? 2 : 1;
  }
  ++m_lineNumber;
  return true;
}

namespace {

// Sixteen bytes compared at once (SSE2 or NEON where the compiler has them, plain code
// elsewhere): the pre-count of a large level then costs little beside its reading.
using Block = unsigned char __attribute__((vector_size(16)));
using Counts = unsigned char __attribute__((vector_size(16)));

Block Load(const char* data) {
  Block block;
  std::memcpy(&block, data, sizeof(block));
  return block;
}

std::int64_t Sum(Counts counts) {
  std::int64_t sum = 0;
  for (int i = 0; i < 16; ++i) sum += counts[i];
  return sum;
}

}  // namespace

std::int64_t CountLineEnds(std::string_view text) {
  text = UpToCtrlZ(text);
  // Every CR and every LF ends a line, except the LF of a CR LF pair.
  const char* data = text.data();
  const std::size_t size = text.size();
  std::int64_t ends = 0;
  std::size_t i = 0;
  // Each block looks at one byte past itself for the LF of a pair, so it stops one short.
  while (i + 17 <= size) {
    Counts counts{};
    // Byte counters hold at most 255 per lane.
    for (int round = 0; round < 255 && i + 17 <= size; ++round, i += 16) {
      const Block here = Load(data + i);
      const Block next = Load(data + i + 1);
      const Block cr = here == 13;
      const Block lf = here == 10;
      const Block pair = cr & (next == 10);
      counts += (cr & 1) + (lf & 1) - (pair & 1);
    }
    ends += Sum(counts);
  }
  // The blocks took away the pair of a CR they hold, even when its LF lies beyond them.
  const std::size_t rest = i;
  for (; i < size; ++i) {
    if (data[i] == '\r' || data[i] == '\n') ++ends;
    if (data[i] == '\n' && i > rest && data[i - 1] == '\r') --ends;
  }
  return ends;
}

}  // namespace kx::level
