#include "platform/CommandError.h"

#include <cerrno>

namespace kx::platform {

CommandError::CommandError(std::string text, std::string detail)
    : std::runtime_error(text), m_text(std::move(text)), m_detail(std::move(detail)) {}

std::string CommandError::FullText() const {
  return m_detail.empty() ? m_text : m_text + "\n" + m_detail;
}

CommandError CommandError::FileNotFound(const std::string& path) {
  return CommandError("File not found", path);
}

CommandError CommandError::InvalidFilename(const std::string& path) {
  return CommandError("Invalid filename", path);
}

CommandError CommandError::AccessDenied(const std::string& path) {
  return CommandError("File access denied", path);
}

CommandError CommandError::ReadBeyondEnd(const std::string& path) {
  return CommandError("Read beyond end of file", path);
}

CommandError CommandError::DiskFull(const std::string& path) {
  return CommandError("Disk full", path);
}

CommandError CommandError::InvalidInteger(const std::string& text, const std::string& detail) {
  return CommandError("'" + text + "' is not a valid integer value", detail);
}

CommandError CommandError::FromErrno(int errorNumber, const std::string& path) {
  return CommandError(IoErrorText(errorNumber), path);
}

std::string IoErrorText(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
      return "File not found";
    case ENAMETOOLONG:
    case EINVAL:
      return "Invalid filename";
    case EMFILE:
    case ENFILE:
      return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return "File access denied";
    case ENOSPC:
    case EDQUOT:
      return "Disk full";
    default:
      return "I/O error " + std::to_string(errorNumber);
  }
}

}  // namespace kx::platform
