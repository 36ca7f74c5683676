#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kx::archive {

enum class GobSource { LooseFile, ArchiveEntry };

/// One resource opened by relative name (for example mat\wall.mat): a loose file in the project
/// folder, or else an entry of the game's resource archive. start is -1 when nothing was found.
/// Owned by the caller; CloseGobEntry releases what it holds (so does the destructor).
struct TGobEntry {
  GobSource source = GobSource::LooseFile;
  std::filesystem::path filePath;  // the loose file or the archive
  std::FILE* file = nullptr;
  std::int64_t start = -1;
  std::int64_t position = 0;
  std::int64_t size = 0;
  bool hasBuffer = false;
  std::vector<char> buffer;
  std::int64_t bufferFill = 0;
  std::int64_t bufferStart = 0;   // entry position of buffer[0]
  std::int64_t filePosition = 0;  // entry position of the file's read pointer

  TGobEntry() = default;
  TGobEntry(const TGobEntry&) = delete;
  TGobEntry& operator=(const TGobEntry&) = delete;
  ~TGobEntry();
};

/// Looks name up, first as a loose file under projectDir (case ignored), then in archivePath
/// (the first entry whose name matches ignoring case and padding). Leaves entry.start at -1
/// when neither has it, or when the archive cannot be opened; the file stays closed. Throws
/// CommandError when the archive is damaged.
void OpenGobEntry(TGobEntry& entry, std::string_view name, const std::filesystem::path& projectDir,
                  const std::filesystem::path& archivePath);
/// Opens the entry's file at its first byte; start becomes -1 when the file cannot be opened.
/// Line reading starts again at the first byte too.
void RewindGobEntry(TGobEntry& entry);
/// The next line, without its line end (CR bytes dropped, LF ends a line). Throws
/// CommandError "Read beyond end of file" when the file turns out shorter than the entry.
std::string GobReadLine(TGobEntry& entry);
bool GobEntryEof(const TGobEntry& entry);
/// -1 when nothing was found, else the entry's size in bytes.
std::int64_t GobEntrySize(const TGobEntry& entry);
void CloseGobEntry(TGobEntry& entry);
/// Raw read after RewindGobEntry: up to count bytes, never past the entry's end. Returns the
/// number of bytes read.
std::size_t GobReadBytes(TGobEntry& entry, void* out, std::size_t count);

}  // namespace kx::archive
