#include "level/TextLines.h"

#include <bit>
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

constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;

/// The top bit of every byte of word that equals the byte of pattern (pattern holds one byte
/// value in all eight bytes).
std::uint64_t EqualBytes(std::uint64_t word, std::uint64_t pattern) {
  const std::uint64_t x = word ^ pattern;
  return ~(((x & kLowBits) + kLowBits) | x | kLowBits);
}

/// How many bytes of mask have their top bit set (the only bits EqualBytes sets).
int CountMarked(std::uint64_t mask) {
  return static_cast<int>(((mask >> 7) * 0x0101010101010101ull) >> 56);
}

}  // namespace

std::int64_t CountLineEnds(std::string_view text) {
  text = UpToCtrlZ(text);
  // Every CR and every LF ends a line, except the LF of a CR LF pair. Eight bytes are looked
  // at a time: the pre-count of a large level then costs little beside its reading.
  constexpr std::uint64_t kCr = 0x0D0D0D0D0D0D0D0Dull;
  constexpr std::uint64_t kLf = 0x0A0A0A0A0A0A0A0Aull;
  std::int64_t ends = 0;
  bool lastWasCr = false;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    const std::uint64_t cr = EqualBytes(word, kCr);
    const std::uint64_t lf = EqualBytes(word, kLf);
    // An LF whose byte follows a CR byte (one byte further up in the little-endian word).
    const std::uint64_t pairs = (cr << 8) & lf;
    ends += CountMarked(cr) + CountMarked(lf) - CountMarked(pairs);
    if (lastWasCr && (lf & 0x80u) != 0) --ends;
    lastWasCr = (cr >> 63) != 0;
  }
  for (; i < text.size(); ++i) {
    if (text[i] == '\r') {
      ++ends;
    } else if (text[i] == '\n' && !(i > 0 && text[i - 1] == '\r')) {
      ++ends;
    }
  }
  return ends;
}

}  // namespace kx::level
