#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kx::test {

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  /// Writes bytes to path()/relative, creating folders on the way; returns the full path.
  std::filesystem::path Write(const std::filesystem::path& relative, std::string_view bytes) const;

 private:
  std::filesystem::path m_path;
};

/// The whole file as bytes (test helper; fails the test on error by throwing).
std::string ReadAll(const std::filesystem::path& path);

/// The folder of real levels and archives, or empty when this machine has none.
std::filesystem::path CorpusDir();

}  // namespace kx::test
