#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

/// Line splitting of the game's 8-bit text files.
namespace kx::level {

/// Walks the lines of a text: CR LF, LF alone and CR alone each end one line, and a byte 26
/// (Ctrl-Z) ends the text like the end of the file. A last line without a line end is still a
/// line; an empty text has no lines.
class TextLines {
 public:
  explicit TextLines(std::string_view text);

  /// The next line without its line end; false at the end of the text.
  bool Next(std::string_view& line);
  /// How many lines Next has returned so far (the number of the last line, from 1).
  std::int64_t LineNumber() const { return m_lineNumber; }

 private:
  std::string_view m_text;
  std::size_t m_pos = 0;
  std::size_t m_nextLf;  // the next line feed at or after m_pos, or the end of the text
  std::int64_t m_lineNumber = 0;
};

/// The number of line ends before the text's end (or its byte 26), by the rule of TextLines:
/// the line count a reader expects, a last line without a line end not counted.
std::int64_t CountLineEnds(std::string_view text);

}  // namespace kx::level
