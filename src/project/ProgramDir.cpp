#include "project/ProgramDir.h"

#include <fcntl.h>
#include <string>
#include <system_error>
#include <unistd.h>

namespace kx::project {

std::filesystem::path RunningProgramDir() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec && self.has_parent_path()) return ProgramDirOf(self);
  return std::filesystem::current_path(ec);
}

std::filesystem::path ProgramDirOf(const std::filesystem::path& programFile) {
  return programFile.parent_path();
}

bool IsWritableFolder(const std::filesystem::path& folder) {
  const auto probe = folder / (".kelvarix-write-test-" + std::to_string(::getpid()));
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  std::error_code ignored;
  std::filesystem::remove(probe, ignored);
  return true;
}

std::filesystem::path ChooseProgramDir(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& userDataFolder) {
  if (userDataFolder.empty() || IsWritableFolder(programFolder)) return programFolder;
  std::error_code ignored;
  std::filesystem::create_directories(userDataFolder, ignored);
  return userDataFolder;
}

}  // namespace kx::project
