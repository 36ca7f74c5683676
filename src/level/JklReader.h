#pragma once

#include <filesystem>
#include <string>

#include "level/Level.h"
#include "platform/Ui.h"

namespace kx::level {

/// Reads the JKL file at jklPath into level, showing progress through ui (the window caption
/// names jklName). The read goes into a copy of level that replaces it only when the read
/// succeeds. Throws platform::CommandError ("File not found", "'%s' is not a valid integer
/// value", or a capacity error naming the line) and leaves level untouched then.
void ReadLevel(Level& level, const std::filesystem::path& jklPath, const std::string& jklName,
               platform::Ui& ui);

}  // namespace kx::level
