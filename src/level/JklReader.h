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
