#pragma once

#include "level/Level.h"
#include "platform/Ui.h"

#include <filesystem>
#include <memory>

namespace kx::tool {

/// A level a command read as the editor reads it.
struct CommandLevel {
  std::unique_ptr<level::Level> level;  // on the heap: its tables are large
  bool complete = true;                 // false when records of the file were left out
};

/// Reads the level at path; notes and boxes go to ui. Throws as level::ReadLevel.
CommandLevel ReadCommandLevel(const std::filesystem::path& path, platform::Ui& ui);

/// The exit status of a command that read the level at path: 0, or 1 with a line on stderr
/// when the read left records out, so that a script never takes a lossy read for a good one.
int StatusAfterRead(const CommandLevel& read, const std::filesystem::path& path);

/// The stderr line of StatusAfterRead.
void ReportIncompleteRead(const std::filesystem::path& path);

}  // namespace kx::tool
