#include "platform/FileIo.h"

#include "platform/CommandError.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace kx::platform {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const {
    if (file) std::fclose(file);
  }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::string DisplayPath(const std::filesystem::path& path) {
  return path.string();
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw CommandError::AccessDenied(DisplayPath(path));
  FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file) throw CommandError::FromErrno(errno, DisplayPath(path));
  std::string bytes;
  // Room for the whole file at once; what is read still decides the size.
  std::error_code sizeError;
  const auto size = std::filesystem::file_size(path, sizeError);
  if (!sizeError) bytes.reserve(static_cast<std::size_t>(size));
  char block[64000];
  for (;;) {
    const std::size_t n = std::fread(block, 1, sizeof(block), file.get());
    bytes.append(block, n);
    if (n < sizeof(block)) {
      if (std::ferror(file.get())) throw CommandError::FromErrno(errno, DisplayPath(path));
      break;
    }
  }
  return bytes;
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path temporary = path;
  temporary += ".kxtmp";
  // A link planted under the temporary name is never followed, and a temporary file an
  // interrupted save left behind does not block the next one: whatever stands there (a folder
  // aside) goes first, and the new file is created exclusively.
  std::error_code ignored;
  const auto standing = std::filesystem::symlink_status(temporary, ignored).type();
  if (standing == std::filesystem::file_type::symlink ||
      standing == std::filesystem::file_type::regular) {
    std::filesystem::remove(temporary, ignored);
  }
  const int descriptor =
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    const int error = errno;
    throw CommandError::FromErrno(error == EEXIST ? EACCES : error, DisplayPath(path));
  }
  FilePtr file(::fdopen(descriptor, "wb"));
  if (!file) {
    const int error = errno;
    ::close(descriptor);
    std::filesystem::remove(temporary, ignored);
    throw CommandError::FromErrno(error, DisplayPath(path));
  }
  const auto fail = [&](int error) {
    file.reset();
    std::filesystem::remove(temporary, ignored);
    throw CommandError::FromErrno(error, DisplayPath(path));
  };
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    fail(errno ? errno : EIO);
  }
  if (std::fflush(file.get()) != 0) fail(errno ? errno : EIO);
  if (std::fclose(file.release()) != 0) fail(errno ? errno : EIO);
  if (std::rename(temporary.c_str(), path.c_str()) != 0) fail(errno ? errno : EIO);
}

}  // namespace kx::platform
