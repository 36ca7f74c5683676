#pragma once

#include "platform/BinaryFile.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

/// GOB2 archives: the game's archive of named files.
namespace kx::archive {

/// Layout: "GOB ", version, directory offset (12 bytes); at the directory offset the entry
/// count, then one 136-byte entry per file: data offset, size, 128-byte NUL-padded name. All
/// integers are 32-bit little-endian, signed.
inline constexpr std::size_t kGobHeaderSize = 12;
inline constexpr std::size_t kGobEntrySize = 136;
inline constexpr std::size_t kGobNameField = 128;

/// One directory entry, checked against the archive's length.
struct GobDirectoryEntry {
  int index = 0;            // position in the directory, from 0
  std::string name;         // the name field's bytes before the first NUL (at most 128)
  std::int64_t offset = 0;  // the data's first byte, from the start of the archive
  std::int64_t size = 0;
};

/// Visits the directory of an open archive in order until visitor returns false. Every entry
/// is checked before it is handed over. Throws CommandError: "Not a GOB2 archive" or
/// "Damaged GOB2 archive: ..." (the fault in words) with the archive's path as detail, or the
/// runtime's text when reading fails.
void ScanGobDirectory(platform::BinaryFile& archive,
                      const std::function<bool(const GobDirectoryEntry&)>& visitor);

/// Hands visitor each entry of the archive at path, in directory order. Throws as
/// ScanGobDirectory, and with the runtime's text when the archive cannot be opened.
void ForEachGobEntry(const std::filesystem::path& path,
                     const std::function<void(const GobDirectoryEntry&)>& visitor);

/// The whole directory of the archive at path. Throws as ForEachGobEntry.
std::vector<GobDirectoryEntry> ReadGobDirectory(const std::filesystem::path& path);

/// The name a lookup compares: the name without blanks and control characters at either end,
/// upper-cased, so that names padded with spaces before their NULs still match.
std::string GobLookupKey(std::string_view name);

}  // namespace kx::archive
