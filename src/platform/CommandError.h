#pragma once

#include <stdexcept>
#include <string>

namespace kx::platform {

/// A failure that ends the current user command. The shell's command router catches it and
/// shows text() in an "Error" box; the program goes on. text() is the runtime's own wording
/// ("File not found", "Disk full", "'abc' is not a valid integer value", ...); detail() names
/// the file or place when one is known, and is shown under the text.
class CommandError : public std::runtime_error {
public:
  explicit CommandError(std::string text, std::string detail = {});

  const std::string& text() const { return m_text; }
  const std::string& detail() const { return m_detail; }
  /// text(), then detail() on a line of its own when there is one.
  std::string FullText() const;

  static CommandError FileNotFound(const std::string& path);
  static CommandError InvalidFilename(const std::string& path);
  static CommandError AccessDenied(const std::string& path);
  static CommandError ReadBeyondEnd(const std::string& path);
  static CommandError DiskFull(const std::string& path);
  static CommandError InvalidInteger(const std::string& text, const std::string& detail = {});
  /// The runtime text for an errno value: File not found, Invalid filename, Too many open
  /// files, File access denied, Disk full, or "I/O error %d".
  static CommandError FromErrno(int errorNumber, const std::string& path);

private:
  std::string m_text;
  std::string m_detail;
};

/// The runtime's text for an errno value (see CommandError::FromErrno).
std::string IoErrorText(int errorNumber);

}  // namespace kx::platform
