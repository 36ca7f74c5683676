#pragma once

#include "level/Level.h"
#include "platform/Ui.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kx::level {

/// How a parse ended.
enum class ParseOutcome {
  Complete,
  Incomplete,      // records of the file were left out (beyond a declared count); notes say so
  CopyrightLimit,  // incomplete, among others the copyright lines after the 64th were dropped
};

/// Reads the JKL file at jklPath into level, showing progress through ui (the window caption
/// names jklName). The read goes into a copy of level that replaces it only when the read
/// succeeds. Throws platform::CommandError ("File not found", "Not a JKL level: FILE",
/// "'%s' is not a valid integer value", or a capacity or consistency error naming the line) and
/// leaves level untouched then. Records the file lists beyond a declared count are no failure:
/// they are left out and a note names them, as it names sections kept aside; more than 64
/// copyright lines also shows an "Error" box and puts the main caption back to the idle
/// caption. The result says whether anything was left out.
ParseOutcome ReadLevel(Level& level, const std::filesystem::path& jklPath,
                       const std::string& jklName, platform::Ui& ui);

/// What the reader takes from one line of a level file: nothing from a line that begins with
/// "#", otherwise the part before its first "#" without the blanks and control characters at
/// both ends. An empty result is a line the reader skips.
std::string_view ReadableText(std::string_view line);

/// Whether the reader takes a line's readable text as the start of a section (any "SECTION:"
/// line and the "World ..." lines of the geometry, case ignored) in a section it reads.
bool StartsSection(std::string_view readable);

/// Parses JKL text into level in place: the marks of every slot are reset, the sections the
/// text holds overwrite their tables, sections the editor does not read replace the level's
/// unknownSections, everything else keeps its values. sourceName names the file in errors and
/// notes ("<sourceName>, line N"); the progress window's caption names jklName. The notes go to
/// ui.Note once the parse has succeeded. Throws platform::CommandError; level then holds a
/// partial read.
ParseOutcome ParseLevel(std::string_view bytes, const std::string& sourceName,
                        const std::string& jklName, Level& level, platform::Ui& ui);

}  // namespace kx::level
