#pragma once

#include "level/Level.h"

#include <string>
#include <string_view>
#include <vector>

namespace kx::editing {
class Editor;
}

/// The rules of the copyright dialog: the text box's text and the level's copyright lines.
namespace kx::properties {

/// The text that shows the copyright lines 1 to count in the text box, one per line, such that
/// SplitCopyrightText gives the same lines back.
std::string CopyrightText(const level::Table<std::string>& copyright);

/// The lines of the text box, counted as the box counts them: LF, CR LF or CR ends a line, a
/// line end at the very end of the text starts no further line, and an empty text has none.
std::vector<std::string> SplitCopyrightText(std::string_view text);

/// What pressing OK with a text would store, and what of it the level file does not keep.
struct CopyrightCheck {
  /// The lines to store: the first 64, each cut to 255 characters.
  std::vector<std::string> lines;
  /// Set when a line would make the saved level unreadable or cut off (it would start a new
  /// section, or holds the character that ends a text file); nothing may be stored then.
  std::string refusal;
  /// One sentence per line that is not kept as typed: lines beyond 64, lines cut to 255
  /// characters, and lines that the level's reader would skip or read back differently.
  std::vector<std::string> losses;
};

CopyrightCheck CheckCopyright(std::string_view text);

/// The question that lists the losses before the text is stored anyway.
std::string LossesQuestion(const std::vector<std::string>& losses);

/// Writes lines as the copyright lines 1 to lines.size() (at most 64) as one step
/// "Change Copyright" (none when nothing differs).
void StoreCopyright(editing::Editor& editor, const std::vector<std::string>& lines);

}  // namespace kx::properties
