#include "platform/BinaryFile.h"

#include "platform/CommandError.h"
#include "platform/FileIo.h"

#include <cerrno>
#include <cstdint>
#include <sys/stat.h>
#include <utility>

namespace kx::platform {

BinaryFile::BinaryFile(const std::filesystem::path& path, Mode mode) : m_path(path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw CommandError::AccessDenied(DisplayName());
  m_file = std::fopen(path.c_str(), mode == Mode::Read ? "rb" : "wb");
  if (!m_file) Fail(errno);
}

BinaryFile::~BinaryFile() {
  if (m_file) std::fclose(m_file);
}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept
    : m_file(std::exchange(other.m_file, nullptr)), m_path(std::move(other.m_path)) {}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
  if (this != &other) {
    if (m_file) std::fclose(m_file);
    m_file = std::exchange(other.m_file, nullptr);
    m_path = std::move(other.m_path);
  }
  return *this;
}

bool BinaryFile::TryOpenForReading(const std::filesystem::path& path, BinaryFile& out) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  out = BinaryFile();
  out.m_file = file;
  out.m_path = path;
  return true;
}

std::string BinaryFile::DisplayName() const {
  return DisplayPath(m_path);
}

std::uint64_t BinaryFile::Size() const {
  struct stat info {};
  if (fstat(fileno(m_file), &info) != 0) Fail(errno);
  return static_cast<std::uint64_t>(info.st_size);
}

void BinaryFile::Seek(std::uint64_t position) {
  errno = 0;
  if (position > static_cast<std::uint64_t>(INT64_MAX) ||
      fseeko(m_file, static_cast<off_t>(position), SEEK_SET) != 0) {
    Fail(errno ? errno : EINVAL);
  }
}

std::size_t BinaryFile::ReadSome(void* out, std::size_t count) {
  errno = 0;
  const std::size_t n = std::fread(out, 1, count, m_file);
  if (n < count && std::ferror(m_file)) Fail(errno ? errno : EIO);
  return n;
}

void BinaryFile::ReadExactly(void* out, std::size_t count) {
  if (ReadSome(out, count) != count) throw CommandError::ReadBeyondEnd(DisplayName());
}

void BinaryFile::Write(const void* data, std::size_t count) {
  errno = 0;
  if (count != 0 && std::fwrite(data, 1, count, m_file) != count) Fail(errno ? errno : EIO);
}

void BinaryFile::Close() {
  if (!m_file) return;
  errno = 0;
  const int flushed = std::fflush(m_file);
  const int flushError = errno;
  errno = 0;
  const int closed = std::fclose(std::exchange(m_file, nullptr));
  if (flushed != 0) Fail(flushError ? flushError : EIO);
  if (closed != 0) Fail(errno ? errno : EIO);
}

void BinaryFile::Fail(int errorNumber) const {
  throw CommandError::FromErrno(errorNumber, DisplayName());
}

}  // namespace kx::platform
