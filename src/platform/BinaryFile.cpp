#include "platform/BinaryFile.h"

#include "platform/CommandError.h"
#include "platform/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kx::platform {

namespace {

constexpr std::size_t kCopyBlock = 64000;

// Longest single request; the kernel may do less, and the loops go on from there.
constexpr std::size_t kMaxRequest = std::size_t{1} << 30;

}  // namespace

BinaryFile::BinaryFile(const std::filesystem::path& path, Mode mode) : m_path(path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw CommandError::AccessDenied(DisplayName());
  int flags = O_RDONLY;
  if (mode == Mode::Write) flags = O_WRONLY | O_CREAT | O_TRUNC;
  if (mode == Mode::CreateNew) flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
  do {
    m_fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  } while (m_fd < 0 && errno == EINTR);
  if (m_fd < 0) Fail(errno);
}

BinaryFile::~BinaryFile() {
  if (m_fd >= 0) ::close(m_fd);
}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_path(std::move(other.m_path)) {}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
  if (this != &other) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = std::exchange(other.m_fd, -1);
    m_path = std::move(other.m_path);
  }
  return *this;
}

bool BinaryFile::TryOpenForReading(const std::filesystem::path& path, BinaryFile& out) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  out = BinaryFile();
  out.m_fd = fd;
  out.m_path = path;
  return true;
}

std::string BinaryFile::DisplayName() const {
  return DisplayPath(m_path);
}

std::uint64_t BinaryFile::Size() const {
  struct stat info {};
  if (::fstat(m_fd, &info) != 0) Fail(errno);
  return static_cast<std::uint64_t>(info.st_size);
}

void BinaryFile::Seek(std::uint64_t position) {
  if (position > static_cast<std::uint64_t>(INT64_MAX)) Fail(EINVAL);
  if (::lseek(m_fd, static_cast<off_t>(position), SEEK_SET) < 0) Fail(errno);
}

std::size_t BinaryFile::ReadSome(void* out, std::size_t count) {
  auto* bytes = static_cast<char*>(out);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(m_fd, bytes + done, std::min(count - done, kMaxRequest));
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

void BinaryFile::ReadExactly(void* out, std::size_t count) {
  if (ReadSome(out, count) != count) throw CommandError::ReadBeyondEnd(DisplayName());
}

void BinaryFile::Write(const void* data, std::size_t count) {
  const auto* bytes = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(m_fd, bytes + done, std::min(count - done, kMaxRequest));
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    if (n == 0) Fail(EIO);
    done += static_cast<std::size_t>(n);
  }
}

void BinaryFile::CopyTo(BinaryFile& out, std::uint64_t count) {
  bool inKernel = true;
  while (count > 0 && inKernel) {
    const auto request = static_cast<std::size_t>(std::min<std::uint64_t>(count, kMaxRequest));
    const ssize_t n = ::copy_file_range(m_fd, nullptr, out.m_fd, nullptr, request, 0);
    if (n > 0) {
      count -= static_cast<std::uint64_t>(n);
    } else if (n == 0) {
      throw CommandError::ReadBeyondEnd(DisplayName());
    } else if (errno == EINTR) {
      continue;
    } else if (errno == ENOSPC || errno == EDQUOT || errno == EIO) {
      out.Fail(errno);
    } else {
      inKernel = false;  // not offered between these files: copy through a block instead
    }
  }
  std::vector<char> block(count > 0 ? kCopyBlock : 0);
  while (count > 0) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(count, kCopyBlock));
    ReadExactly(block.data(), n);
    out.Write(block.data(), n);
    count -= n;
  }
}

void BinaryFile::Close() {
  if (m_fd < 0) return;
  if (::close(std::exchange(m_fd, -1)) != 0 && errno != EINTR) Fail(errno);
}

void BinaryFile::Fail(int errorNumber) const {
  throw CommandError::FromErrno(errorNumber, DisplayName());
}

}  // namespace kx::platform
