#pragma once

#include "level/Level.h"
#include "platform/Ui.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kx::level {

/// Reads the JKL file at jklPath into level, showing progress through ui (the window caption
/// names jklName). The read goes into a copy of level that replaces it only when the read
/// succeeds. Throws platform::CommandError ("File not found", "'%s' is not a valid integer
/// value", or a capacity error naming the line) and leaves level untouched then.
/// More than 64 copyright lines is no failure: what was read is kept, an "Error" box says so
/// and the main caption goes back to the idle caption.
void ReadLevel(Level& level, const std::filesystem::path& jklPath, const std::string& jklName,
               platform::Ui& ui);

/// What the reader takes from one line of a level file: nothing from a line that begins with
/// "#", otherwise the part before its first "#" without the blanks and control characters at
/// both ends. An empty result is a line the reader skips.
std::string_view ReadableText(std::string_view line);

/// Whether the reader takes a line's readable text as the start of a section ("SECTION: ..."
/// and the "World ..." lines of the geometry, case ignored), in whatever section it stands.
bool StartsSection(std::string_view readable);

/// How a parse ended.
enum class ParseOutcome {
  Complete,
  CopyrightLimit,  // stopped at the 65th copyright line; what was read before stays
};

/// Parses JKL text into level in place: the marks of every slot are reset, the sections the
/// text holds overwrite their tables, everything else keeps its values. sourceName names the
/// file in error details ("<sourceName>, line N"); the progress window's caption names jklName.
/// Throws platform::CommandError; level then holds a partial read.
ParseOutcome ParseLevel(std::string_view bytes, const std::string& sourceName,
                        const std::string& jklName, Level& level, platform::Ui& ui);

}  // namespace kx::level
