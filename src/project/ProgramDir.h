#pragma once

#include <filesystem>

namespace kx::project {

/// The folder of the running program file, where Kelvarix.ini and the Projects folder live.
std::filesystem::path RunningProgramDir();

/// The folder of the program file at programFile (C:\Tools\Kelvarix.exe gives C:\Tools).
std::filesystem::path ProgramDirOf(const std::filesystem::path& programFile);

}  // namespace kx::project
