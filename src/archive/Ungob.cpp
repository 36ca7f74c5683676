#include "archive/Ungob.h"

#include "archive/EntryNames.h"
#include "archive/GobDirectory.h"
#include "level/Words.h"
#include "platform/BinaryFile.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"

#include <map>
#include <set>
#include <system_error>
#include <vector>

namespace kx::archive {

namespace fs = std::filesystem;
using platform::BinaryFile;
using platform::CommandError;

namespace {

// The folders below the target as extraction sees them: each folder's names by their
// upper-case spelling, so that MAT\a.mat and mat\b.mat land in one folder as they would on the
// game's case-blind file system.
class TargetTree {
 public:
  explicit TargetTree(fs::path root) : m_root(std::move(root)) {}

  // The file's place, its folders created on the way.
  fs::path Place(const std::vector<std::string>& parts) {
    fs::path dir = m_root;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
      bool added = false;
      dir = Child(dir, parts[i], added);
      std::error_code ignored;
      if (added) fs::create_directory(dir, ignored);  // a failure shows when the file is made
    }
    bool added = false;
    return Child(dir, parts.back(), added);
  }

 private:
  fs::path Child(const fs::path& dir, const std::string& name, bool& added) {
    auto& names = Listing(dir);
    const auto inserted = names.emplace(level::ToUpperAscii(name), name);
    added = inserted.second;
    fs::path child = dir / inserted.first->second;
    // A link left in a target folder must not carry the archive's files elsewhere.
    if (m_links.contains(child.string())) {
      throw CommandError::AccessDenied(platform::DisplayPath(child));
    }
    return child;
  }

  std::map<std::string, std::string>& Listing(const fs::path& dir) {
    auto [it, added] = m_listings.try_emplace(dir.string());
    if (added) {
      std::error_code ec;
      for (fs::directory_iterator entry(dir, ec), end; !ec && entry != end; entry.increment(ec)) {
        const std::string name = entry->path().filename().string();
        it->second.emplace(level::ToUpperAscii(name), name);
        std::error_code statusError;
        if (entry->is_symlink(statusError)) m_links.insert(entry->path().string());
      }
    }
    return it->second;
  }

  fs::path m_root;
  std::map<std::string, std::map<std::string, std::string>> m_listings;
  std::set<std::string> m_links;
};

// Side files tried beside one target before extraction gives up.
constexpr int kSideFileNames = 100;

/// A new file beside target for an entry's data. It is created exclusively, so that nothing
/// already under its name, such as a link planted there to carry the data elsewhere, is ever
/// followed or overwritten; a taken name makes the next one be tried.
BinaryFile CreateSideFile(const fs::path& target, fs::path& side) {
  for (int attempt = 0;; ++attempt) {
    side = target;
    side += ".kxpart";
    if (attempt > 0) side += std::to_string(attempt);
    std::error_code ec;
    const bool taken = fs::exists(fs::symlink_status(side, ec));
    if (!taken || attempt + 1 == kSideFileNames)
      return BinaryFile(side, BinaryFile::Mode::CreateNew);
  }
}

void CopyEntry(BinaryFile& archive, const GobDirectoryEntry& entry, const fs::path& target) {
  // The data goes to a side file first, so a failure never leaves a short file under the
  // entry's name.
  fs::path partial;
  BinaryFile out = CreateSideFile(target, partial);
  try {
    archive.Seek(static_cast<std::uint64_t>(entry.offset));
    archive.CopyTo(out, static_cast<std::uint64_t>(entry.size));
    out.Close();
    std::error_code ec;
    fs::rename(partial, target, ec);
    if (ec) throw CommandError::FromErrno(ec.value(), platform::DisplayPath(target));
  } catch (...) {
    out = BinaryFile();
    std::error_code ignored;
    fs::remove(partial, ignored);
    throw;
  }
}

/// Refuses an archive in which one entry's path is also a folder of another's ("a" and
/// "a\b.txt", letters compared without case as the folders are merged): one of them could only
/// be written by removing the other. Nothing has been written when this throws.
void RefuseClashingPaths(const std::vector<GobDirectoryEntry>& entries,
                         const std::vector<std::vector<std::string>>& paths,
                         const fs::path& archivePath) {
  std::map<std::string, const GobDirectoryEntry*> files;
  std::map<std::string, const GobDirectoryEntry*> folders;
  for (std::size_t e = 0; e < entries.size(); ++e) {
    const auto& parts = paths[e];
    std::string path;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      if (i > 0) {
        folders.emplace(path, &entries[e]);
        path += '\\';
      }
      path += level::ToUpperAscii(parts[i]);
    }
    files.emplace(path, &entries[e]);
  }
  for (const auto& [path, folderEntry] : folders) {
    const auto clash = files.find(path);
    if (clash == files.end()) continue;
    const GobDirectoryEntry* first = clash->second;
    const GobDirectoryEntry* second = folderEntry;
    if (second->index < first->index) std::swap(first, second);
    throw CommandError("Clashing entry names in GOB2 archive: " + PrintableEntryName(first->name) +
                           " and " + PrintableEntryName(second->name),
                       platform::DisplayPath(archivePath));
  }
}

}  // namespace

std::vector<std::vector<std::string>> PlanEntryPaths(const std::vector<GobDirectoryEntry>& entries,
                                                     const fs::path& archivePath) {
  std::vector<std::vector<std::string>> paths;
  paths.reserve(entries.size());
  for (const auto& entry : entries) {
    auto parts = SafeEntryParts(entry.name);
    if (parts.empty()) {
      throw CommandError("Unsafe entry name in GOB2 archive: " + PrintableEntryName(entry.name),
                         platform::DisplayPath(archivePath));
    }
    paths.push_back(std::move(parts));
  }
  RefuseClashingPaths(entries, paths, archivePath);
  return paths;
}

fs::path UngobArchivePath(const std::string& archiveName) {
  fs::path path(archiveName);
  if (path.filename().string().find('.') == std::string::npos) path += ".GOB";
  return path;
}

bool Ungob(const std::string& archiveName, const fs::path& targetDir, platform::Ui& ui) {
  const fs::path archivePath = UngobArchivePath(archiveName);
  std::error_code ec;
  if (!fs::is_regular_file(archivePath, ec)) {
    ui.ShowMessage(platform::BoxKind::Error, "The file " + platform::DisplayPath(archivePath) +
                                                 " doesn't exist!\rProgram halted.");
    return false;
  }
  BinaryFile archive(archivePath, BinaryFile::Mode::Read);
  std::vector<GobDirectoryEntry> entries;
  ScanGobDirectory(archive, [&](const GobDirectoryEntry& entry) {
    entries.push_back(entry);
    return true;
  });
  // Every name is checked before the first byte is written.
  const auto paths = PlanEntryPaths(entries, archivePath);

  platform::BusyCursor busy(ui);
  fs::create_directory(targetDir, ec);
  std::error_code statusError;
  if (!fs::is_directory(targetDir, statusError)) {
    throw CommandError::FromErrno(ec ? ec.value() : ENOTDIR, platform::DisplayPath(targetDir));
  }
  platform::ProgressSession progress(ui, "Ungobing " + archiveName + "...",
                                     "Extracting file: ", static_cast<int>(entries.size()));
  TargetTree tree(targetDir);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    ui.ProgressSetPosition(static_cast<int>(i) + 1);
    ui.ProgressSetItem(entries[i].name);
    ui.ProcessEvents();
    CopyEntry(archive, entries[i], tree.Place(paths[i]));
  }
  return true;
}

}  // namespace kx::archive
