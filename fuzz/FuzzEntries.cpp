#include "FuzzEntries.h"

#include "archive/EntryNames.h"
#include "archive/GobDirectory.h"
#include "archive/GobEntry.h"
#include "archive/Ungob.h"
#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"
#include "platform/NullUi.h"
#include "platform/SettingsFile.h"
#include "resources/CelImage.h"
#include "resources/Colormap.h"
#include "resources/MatFile.h"
#include "resources/ModelRadius.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace kx::fuzz {

namespace {

namespace fs = std::filesystem;
using platform::CommandError;

/// Bytes in an anonymous memory file, reachable by path as long as it lives, for the readers
/// that open files by name.
class MemoryFile {
 public:
  explicit MemoryFile(std::string_view bytes) : m_fd(::memfd_create("kx-fuzz", MFD_CLOEXEC)) {
    if (m_fd < 0) throw std::runtime_error("memfd_create failed");
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
      if (n <= 0) throw std::runtime_error("writing the memory file failed");
      done += static_cast<std::size_t>(n);
    }
  }
  ~MemoryFile() { ::close(m_fd); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  fs::path Path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

 private:
  int m_fd;
};

/// A folder of its own under the temporary folder, removed with its contents.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "kx-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const fs::path& Path() const { return m_path; }

 private:
  fs::path m_path;
};

[[noreturn]] void Finding(const std::string& what) {
  throw std::logic_error(what);
}

/// A Level with a new Level's values. The tables are large: allocating them for every input
/// would take most of a run's time, so they are kept and overwritten.
level::Level& FreshLevel() {
  static const auto pristine = std::make_unique<level::Level>();
  static const auto level = std::make_unique<level::Level>();
  *level = *pristine;
  return *level;
}

/// A Level to read what the writer wrote into. That text sets every count and every record below
/// it, so what an earlier read left in this Level cannot show; it is kept for the same reason.
level::Level& SavedLevel() {
  static const auto level = std::make_unique<level::Level>();
  return *level;
}

// The cels of a material drawn per input: as many as the material selector animates.
constexpr std::size_t kCelsDrawn = 16;

// Each archive entry's lines are read up to this many entries, enough to reach every path of
// the line reader without making large directories slow to fuzz.
constexpr int kEntriesLineRead = 8;

}  // namespace

void ReadJkl(std::string_view bytes) {
  platform::NullUi ui;
  level::Level& read = FreshLevel();
  try {
    level::ParseLevel(bytes, "fuzz.jkl", "fuzz.jkl", read, ui);
  } catch (const CommandError&) {
    return;
  }
  // A level the editor read and saves must open again, whole.
  const std::string written = level::FormatLevel(read, "fuzz.jkl", "2000-01-01 00:00");
  try {
    if (level::ParseLevel(written, "saved.jkl", "saved.jkl", SavedLevel(), ui) !=
        level::ParseOutcome::Complete) {
      Finding("the saved level reads back with records left out");
    }
  } catch (const CommandError& error) {
    Finding("the saved level does not read back: " + error.FullText());
  }
}

void ReadGobDirectory(std::string_view bytes) {
  const MemoryFile file(bytes);
  std::vector<archive::GobDirectoryEntry> entries;
  try {
    archive::ForEachGobEntry(file.Path(), [&](const archive::GobDirectoryEntry& entry) {
      archive::PrintableEntryName(entry.name);
      entries.push_back(entry);
    });
  } catch (const CommandError&) {
    return;
  }
  try {
    archive::PlanEntryPaths(entries, file.Path());
  } catch (const CommandError&) {
  }
  const fs::path noProject = "/nonexistent-kelvarix-fuzz-project";
  for (std::size_t i = 0; i < entries.size() && i < kEntriesLineRead; ++i) {
    archive::TGobEntry entry;
    try {
      archive::OpenGobEntry(entry, archive::GobLookupKey(entries[i].name), noProject, file.Path());
      if (entry.start == -1) continue;
      archive::RewindGobEntry(entry);
      std::int64_t lineBytes = 0;
      while (entry.start != -1 && !archive::GobEntryEof(entry)) {
        lineBytes += static_cast<std::int64_t>(archive::GobReadLine(entry).size()) + 1;
        if (lineBytes > archive::GobEntrySize(entry) + 1) Finding("lines run past the entry");
      }
    } catch (const CommandError&) {
    }
  }
}

void ReadMat(std::string_view bytes) {
  std::optional<resources::MatFile> mat;
  try {
    mat = resources::DecodeMat(bytes, "fuzz.mat");
  } catch (const CommandError&) {
    return;
  }
  if (!mat) return;
  resources::MatInfoText(*mat);
  resources::Palette palette;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const auto value = static_cast<std::uint8_t>(i);
    palette[i] = {value, value, value};
  }
  // The selector animates the first cels; a colour material of thousands of records would
  // otherwise spend the run drawing the same 256x256 square again and again.
  for (std::size_t cel = 0; cel < mat->cels.size() && cel < kCelsDrawn; ++cel) {
    resources::DrawCel(*mat, cel, palette);
  }
}

void ReadCmp(std::string_view bytes) {
  try {
    resources::DecodeColormap(bytes, "fuzz.cmp");
  } catch (const CommandError&) {
  }
}

void ReadModel(std::string_view bytes) {
  resources::StringLineSource lines(bytes);
  resources::Read3DORadius(lines);
}

void ReadSettings(std::string_view bytes) {
  const platform::SettingsSnapshot snapshot(bytes);
  const std::string jkDir = snapshot.Text("Directories", "JKDir", "");
  snapshot.Int("3DPreview", "Width", 320);
  snapshot.Int("3DPreview", "Height", 240);
  const std::int32_t projects = snapshot.Int("Projects", "NProjects", 0);
  for (std::int32_t n = 1; n <= projects && n <= 64; ++n) {
    for (const char* key : {"LevelName", "JKLName", "GOB2Name"}) {
      snapshot.Text("Project" + std::to_string(n), key, "");
    }
  }

  // Registering a project writes one value; the rest of the file must stay as it was.
  const ScratchDir dir;
  const fs::path path = dir.Path() / "Kelvarix.ini";
  platform::WriteFileAtomically(path, bytes);
  platform::SettingsFile settings(path);
  settings.WriteSettingInt("Projects", "NProjects", 7);
  const platform::SettingsSnapshot after = settings.Snapshot();
  if (after.Int("Projects", "NProjects", 0) != 7) Finding("the written value does not read back");
  if (after.Text("Directories", "JKDir", "") != jkDir) Finding("another value changed");
}

}  // namespace kx::fuzz
