#pragma once

#include "level/Level.h"
#include "platform/Ui.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kx::level {

/// Writes projectDir/jkl/jklName in the editor's layout, then projectDir/episode.jk. Each file
/// is written to a temporary file and renamed over the old one only when complete.
/// Throws platform::CommandError with the runtime's I/O text; the episode file is then not
/// written.
void SaveLevel(const Level& level, const std::filesystem::path& projectDir,
               const std::string& jklName, platform::Ui& ui);

/// The line the level file holds for thing index, with its CR LF.
std::string ThingLine(const Thing& thing, int index);

/// The number written after "World cogs".
int CountCogSlots(const Level& level);

/// The whole text of the level file in the editor's layout, lines ending in CR LF. Line 1
/// names worldPath and timeStamp.
std::string FormatLevel(const Level& level, std::string_view worldPath, std::string_view timeStamp);

/// The banner's time stamp: "1998-03-05 09:07".
std::string FormatTimeStamp(int year, int month, int day, int hour, int minute);

/// The time stamp of the current local time.
std::string CurrentTimeStamp();

}  // namespace kx::level
