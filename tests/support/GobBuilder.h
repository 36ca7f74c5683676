#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx::test {

/// Builds a GOB2 archive in memory as the game's tools lay it out: header, directory right
/// after it, the entries' data in directory order. Fields can be overridden to make damaged
/// archives.
class GobBuilder {
 public:
  /// Adds an entry; the name is written into the 128-byte field, NUL-padded (cut at 128).
  GobBuilder& Entry(std::string_view name, std::string_view data);
  /// Adds an entry whose 128-byte name field is given whole (for padding and garbage tests).
  GobBuilder& RawNameEntry(const std::string& nameField, std::string_view data);
  /// Overrides the last entry's data offset or size as written in the directory.
  GobBuilder& WithOffset(std::int32_t offset);
  GobBuilder& WithSize(std::int32_t size);
  GobBuilder& DirectoryOffset(std::int32_t offset);
  GobBuilder& Count(std::int32_t count);

  std::string Bytes() const;
  std::filesystem::path WriteTo(const std::filesystem::path& path) const;

 private:
  struct Item {
    std::string nameField;
    std::string data;
    std::optional<std::int32_t> offset;
    std::optional<std::int32_t> size;
  };
  std::vector<Item> m_items;
  std::optional<std::int32_t> m_directoryOffset;
  std::optional<std::int32_t> m_count;
};

}  // namespace kx::test
