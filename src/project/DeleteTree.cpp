#include "project/DeleteTree.h"

#include "platform/CommandError.h"
#include "platform/FileIo.h"

#include <system_error>
#include <vector>

namespace kx::project {

namespace fs = std::filesystem;

void DeleteTree(const fs::path& directory) {
  std::error_code ec;
  const auto status = fs::symlink_status(directory, ec);
  if (directory.empty() || !fs::exists(status)) return;
  if (fs::is_directory(status)) {
    std::vector<fs::path> children;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
      children.push_back(it->path());
    }
    if (ec) throw platform::CommandError::FromErrno(ec.value(), platform::DisplayPath(directory));
    for (const auto& child : children) {
      if (fs::is_directory(fs::symlink_status(child, ec))) {
        DeleteTree(child);
      } else if (!fs::remove(child, ec) && ec) {
        throw platform::CommandError::FromErrno(ec.value(), platform::DisplayPath(child));
      }
    }
  }
  fs::remove(directory, ec);
}

}  // namespace kx::project
