#include "archive/GobEntry.h"

#include "archive/GobDirectory.h"
#include "platform/BinaryFile.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"
#include "platform/GamePaths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace kx::archive {

namespace {

constexpr std::int64_t kLineBlock = 64000;

void ResetHandle(TGobEntry& entry) {
  CloseGobEntry(entry);
  entry.source = GobSource::LooseFile;
  entry.filePath.clear();
  entry.start = -1;
  entry.position = 0;
  entry.size = 0;
  entry.filePosition = 0;
}

// Fills the line buffer with the block that begins at the entry's current line position.
void FillLineBuffer(TGobEntry& entry) {
  const std::int64_t wanted = std::min(kLineBlock, entry.size - entry.position);
  // The file's read pointer always stands at start + filePosition; it only moves when a raw
  // read came between two lines.
  if (entry.filePosition != entry.position &&
      fseeko(entry.file, static_cast<off_t>(entry.start + entry.position), SEEK_SET) != 0) {
    throw platform::CommandError::FromErrno(errno, platform::DisplayPath(entry.filePath));
  }
  const std::size_t got =
      std::fread(entry.buffer.data(), 1, static_cast<std::size_t>(wanted), entry.file);
  entry.bufferStart = entry.position;
  entry.bufferFill = static_cast<std::int64_t>(got);
  entry.filePosition = entry.position + entry.bufferFill;
  if (static_cast<std::int64_t>(got) != wanted) {
    throw platform::CommandError::ReadBeyondEnd(platform::DisplayPath(entry.filePath));
  }
}

}  // namespace

TGobEntry::~TGobEntry() {
  CloseGobEntry(*this);
}

void OpenGobEntry(TGobEntry& entry, std::string_view name, const std::filesystem::path& projectDir,
                  const std::filesystem::path& archivePath) {
  ResetHandle(entry);
  const std::string key = GobLookupKey(name);
  if (key.empty()) return;
  if (!projectDir.empty()) {
    if (auto loose = platform::FindFileIgnoringCase(projectDir, name)) {
      std::error_code ec;
      const auto length = std::filesystem::file_size(*loose, ec);
      if (!ec) {
        entry.source = GobSource::LooseFile;
        entry.filePath = *loose;
        entry.start = 0;
        entry.size = static_cast<std::int64_t>(length);
        return;
      }
    }
  }
  platform::BinaryFile archive;
  if (!platform::BinaryFile::TryOpenForReading(archivePath, archive)) return;
  ScanGobDirectory(archive, [&](const GobDirectoryEntry& candidate) {
    if (GobLookupKey(candidate.name) != key) return true;
    entry.source = GobSource::ArchiveEntry;
    entry.filePath = archivePath;
    entry.start = candidate.offset;
    entry.size = candidate.size;
    return false;
  });
}

void RewindGobEntry(TGobEntry& entry) {
  if (entry.start == -1) return;
  entry.hasBuffer = false;
  entry.position = 0;
  entry.bufferStart = 0;
  entry.bufferFill = 0;
  entry.filePosition = 0;
  if (!entry.file) entry.file = std::fopen(entry.filePath.c_str(), "rb");
  if (!entry.file || fseeko(entry.file, static_cast<off_t>(entry.start), SEEK_SET) != 0) {
    CloseGobEntry(entry);
    entry.start = -1;
  }
}

std::string GobReadLine(TGobEntry& entry) {
  std::string line;
  if (entry.start == -1 || !entry.file) return line;
  if (!entry.hasBuffer) {
    entry.buffer.resize(static_cast<std::size_t>(kLineBlock));
    entry.hasBuffer = true;
    entry.bufferFill = 0;
  }
  while (entry.position < entry.size) {
    if (entry.position < entry.bufferStart ||
        entry.position >= entry.bufferStart + entry.bufferFill) {
      FillLineBuffer(entry);
    }
    const char* begin = entry.buffer.data() + (entry.position - entry.bufferStart);
    const char* end = entry.buffer.data() + entry.bufferFill;
    const auto* lineFeed = static_cast<const char*>(std::memchr(begin, '\n', end - begin));
    const char* stop = lineFeed ? lineFeed : end;
    // CR bytes are dropped wherever they stand, so CR LF and LF lines read alike.
    for (const char* c = begin; c != stop; ++c) {
      if (*c != '\r') line.push_back(*c);
    }
    entry.position += (stop - begin) + (lineFeed ? 1 : 0);
    if (lineFeed) break;
  }
  return line;
}

bool GobEntryEof(const TGobEntry& entry) {
  if (entry.start == -1) return true;
  return (entry.hasBuffer ? entry.position : entry.filePosition) >= entry.size;
}

std::int64_t GobEntrySize(const TGobEntry& entry) {
  return entry.start == -1 ? -1 : entry.size;
}

void CloseGobEntry(TGobEntry& entry) {
  if (entry.file) {
    std::fclose(entry.file);
    entry.file = nullptr;
  }
  std::vector<char>().swap(entry.buffer);
  entry.hasBuffer = false;
  entry.bufferFill = 0;
}

std::size_t GobReadBytes(TGobEntry& entry, void* out, std::size_t count) {
  if (entry.start == -1 || !entry.file || entry.filePosition >= entry.size) return 0;
  const auto left = static_cast<std::uint64_t>(entry.size - entry.filePosition);
  const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(count, left));
  const std::size_t got = std::fread(out, 1, wanted, entry.file);
  entry.filePosition += static_cast<std::int64_t>(got);
  return got;
}

}  // namespace kx::archive
