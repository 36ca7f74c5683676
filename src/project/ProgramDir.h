#pragma once

#include <filesystem>

namespace kx::project {

/// The folder of the running program file, where Kelvarix.ini and the Projects folder live.
std::filesystem::path RunningProgramDir();

/// The folder of the program file at programFile (C:\Tools\Kelvarix.exe gives C:\Tools).
std::filesystem::path ProgramDirOf(const std::filesystem::path& programFile);

/// Whether a file can be created in the folder: tried with a file that is removed at once,
/// since permission bits do not tell (a read-only file system, another owner, root).
bool IsWritableFolder(const std::filesystem::path& folder);

/// The folder for the settings file and the projects: the program's own folder when files can
/// be created there, else userDataFolder (an installed program's folder belongs to the
/// system), which is created when missing. An empty userDataFolder keeps the program folder.
std::filesystem::path ChooseProgramDir(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& userDataFolder);

}  // namespace kx::project
