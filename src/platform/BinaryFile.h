#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace kx::platform {

/// An open binary file with 64-bit positions; closed by the destructor. Every failing call
/// throws CommandError with the runtime's text ("File not found", "Disk full",
/// "Read beyond end of file", ...) and the file's path as detail.
class BinaryFile {
 public:
  /// Read: an existing file. Write: created or emptied. CreateNew: a file that must not exist
  /// yet; whatever is under that name, a link included, is left alone and never followed (the
  /// runtime's "I/O error 17").
  enum class Mode { Read, Write, CreateNew };

  BinaryFile() = default;
  BinaryFile(const std::filesystem::path& path, Mode mode);
  ~BinaryFile();
  BinaryFile(BinaryFile&& other) noexcept;
  BinaryFile& operator=(BinaryFile&& other) noexcept;
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;

  /// Opens a regular file for reading; false (and nothing thrown) when that is not possible.
  static bool TryOpenForReading(const std::filesystem::path& path, BinaryFile& out);

  bool IsOpen() const { return m_fd >= 0; }
  const std::filesystem::path& Path() const { return m_path; }
  std::string DisplayName() const;

  /// The file's length in bytes.
  std::uint64_t Size() const;
  void Seek(std::uint64_t position);
  /// Reads up to count bytes; returns how many were read (fewer only at the end of the file).
  std::size_t ReadSome(void* out, std::size_t count);
  /// Reads exactly count bytes or throws "Read beyond end of file".
  void ReadExactly(void* out, std::size_t count);
  void Write(const void* data, std::size_t count);
  /// Copies count bytes from this file's position to out's position, inside the kernel where
  /// it can. Throws "Read beyond end of file" when this file ends first.
  void CopyTo(BinaryFile& out, std::uint64_t count);
  /// Closes, reporting a failure; the destructor ignores such failures.
  void Close();

 private:
  [[noreturn]] void Fail(int errorNumber) const;

  int m_fd = -1;
  std::filesystem::path m_path;
};

}  // namespace kx::platform
