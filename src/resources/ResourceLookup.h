#pragma once

#include "archive/GobEntry.h"
#include "resources/LineSource.h"

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

/// Reading the game's resources by relative name: the project folder first, res2.gob second.
namespace kx::resources {

struct ResourcePaths {
  std::filesystem::path projectDir;  // ProjectDir
  std::filesystem::path res2Path;    // the game's resource archive
};

/// The bytes of the resource name (for example mat\wall.mat), at most limit of them; nullopt when
/// neither the project folder nor the archive has it or its file cannot be opened. Allocates no
/// more than the bytes actually read. Throws platform::CommandError when a read fails.
std::optional<std::string> ReadGameResource(
    std::string_view name, const ResourcePaths& paths,
    std::size_t limit = std::numeric_limits<std::size_t>::max());

/// The lines of an opened (rewound) resource entry.
class GobLineSource : public LineSource {
 public:
  explicit GobLineSource(archive::TGobEntry& entry) : m_entry(entry) {}
  bool AtEnd() const override { return archive::GobEntryEof(m_entry); }
  std::string ReadLine() override { return archive::GobReadLine(m_entry); }

 private:
  archive::TGobEntry& m_entry;
};

}  // namespace kx::resources
