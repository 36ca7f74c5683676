#pragma once

#include <filesystem>
#include <string>

#include "level/Level.h"
#include "platform/Ui.h"

namespace kx::level {

/// Writes projectDir/jkl/jklName in the editor's layout, then projectDir/episode.jk. Each file
/// is written to a temporary file and renamed over the old one only when complete.
/// Throws platform::CommandError with the runtime's I/O text; the episode file is then not
/// written.
void SaveLevel(const Level& level, const std::filesystem::path& projectDir,
               const std::string& jklName, platform::Ui& ui);

/// The number written after "World cogs".
int CountCogSlots(const Level& level);

}  // namespace kx::level
