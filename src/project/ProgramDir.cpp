#include "project/ProgramDir.h"

#include <system_error>

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

}  // namespace kx::project
