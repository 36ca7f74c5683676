#include "archive/GobDirectory.h"

#include "level/Words.h"
#include "platform/CommandError.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kx::archive {

namespace {

using platform::CommandError;

std::int32_t LittleEndian32(const unsigned char* bytes) {
  const std::uint32_t value = std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
                              (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
  return static_cast<std::int32_t>(value);
}

[[noreturn]] void Damaged(const platform::BinaryFile& archive, const std::string& what) {
  throw CommandError("Damaged GOB2 archive: " + what, archive.DisplayName());
}

std::string Describe(const GobDirectoryEntry& entry) {
  return "entry " + std::to_string(entry.index + 1) + " (" + entry.name + ")";
}

// Entries are read in blocks of whole entries, just under the 64000-byte block of the game's
// tools, so that a huge directory never needs more than one block in memory.
constexpr std::size_t kEntriesPerBlock = 64000 / kGobEntrySize;

}  // namespace

void ScanGobDirectory(platform::BinaryFile& archive,
                      const std::function<bool(const GobDirectoryEntry&)>& visitor) {
  const std::uint64_t fileSize = archive.Size();
  const std::string sizeText = std::to_string(fileSize) + " bytes";
  if (fileSize < kGobHeaderSize) {
    Damaged(archive, "the file is " + sizeText + " long, too short for a GOB2 header");
  }
  std::array<unsigned char, kGobHeaderSize> header{};
  archive.Seek(0);
  archive.ReadExactly(header.data(), header.size());
  if (std::memcmp(header.data(), "GOB ", 4) != 0) {
    throw CommandError("Not a GOB2 archive: it does not begin with \"GOB \"",
                       archive.DisplayName());
  }
  const std::int64_t directoryOffset = LittleEndian32(&header[8]);
  if (directoryOffset < 0 || static_cast<std::uint64_t>(directoryOffset) + 4 > fileSize) {
    Damaged(archive, "the directory offset " + std::to_string(directoryOffset) +
                         " lies outside the file (" + sizeText + ")");
  }
  unsigned char countBytes[4];
  archive.Seek(static_cast<std::uint64_t>(directoryOffset));
  archive.ReadExactly(countBytes, 4);
  const std::int64_t count = LittleEndian32(countBytes);
  if (count < 0) Damaged(archive, "the entry count " + std::to_string(count) + " is negative");
  const std::uint64_t directoryEnd = static_cast<std::uint64_t>(directoryOffset) + 4 +
                                     static_cast<std::uint64_t>(count) * kGobEntrySize;
  if (directoryEnd > fileSize) {
    Damaged(archive, "the directory of " + std::to_string(count) +
                         " entries runs past the end of the file (" + sizeText + ")");
  }

  std::vector<unsigned char> block(std::min<std::uint64_t>(count, kEntriesPerBlock) *
                                   kGobEntrySize);
  GobDirectoryEntry entry;
  for (std::int64_t first = 0; first < count; first += kEntriesPerBlock) {
    const auto inBlock = static_cast<std::size_t>(
        std::min<std::int64_t>(count - first, static_cast<std::int64_t>(kEntriesPerBlock)));
    archive.Seek(static_cast<std::uint64_t>(directoryOffset) + 4 +
                 static_cast<std::uint64_t>(first) * kGobEntrySize);
    archive.ReadExactly(block.data(), inBlock * kGobEntrySize);
    for (std::size_t i = 0; i < inBlock; ++i) {
      const unsigned char* raw = block.data() + i * kGobEntrySize;
      const auto* nameField = reinterpret_cast<const char*>(raw + 8);
      entry.index = static_cast<int>(first + static_cast<std::int64_t>(i));
      entry.name.assign(nameField, strnlen(nameField, kGobNameField));
      entry.offset = LittleEndian32(raw);
      entry.size = LittleEndian32(raw + 4);
      if (entry.offset < 0) {
        Damaged(archive,
                Describe(entry) + " has the negative data offset " + std::to_string(entry.offset));
      }
      if (entry.size < 0) {
        Damaged(archive, Describe(entry) + " has the negative size " + std::to_string(entry.size));
      }
      if (static_cast<std::uint64_t>(entry.offset) + static_cast<std::uint64_t>(entry.size) >
          fileSize) {
        Damaged(archive, Describe(entry) + " at offset " + std::to_string(entry.offset) + " with " +
                             std::to_string(entry.size) + " bytes runs past the end of the file (" +
                             sizeText + ")");
      }
      if (!visitor(entry)) return;
    }
  }
}

void ForEachGobEntry(const std::filesystem::path& path,
                     const std::function<void(const GobDirectoryEntry&)>& visitor) {
  platform::BinaryFile archive(path, platform::BinaryFile::Mode::Read);
  ScanGobDirectory(archive, [&](const GobDirectoryEntry& entry) {
    visitor(entry);
    return true;
  });
}

std::vector<GobDirectoryEntry> ReadGobDirectory(const std::filesystem::path& path) {
  std::vector<GobDirectoryEntry> entries;
  ForEachGobEntry(path, [&](const GobDirectoryEntry& entry) { entries.push_back(entry); });
  return entries;
}

std::string GobLookupKey(std::string_view name) {
  return level::ToUpperAscii(level::Trim(name));
}

}  // namespace kx::archive
