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

struct PlannedFile {
  const GobDirectoryEntry* entry;
  std::vector<std::string> parts;
};

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

void CopyEntry(BinaryFile& archive, const GobDirectoryEntry& entry, const fs::path& target) {
  // The data goes to a side file first, so a failure never leaves a short file under the
  // entry's name.
  fs::path partial = target;
  partial += ".kxpart";
  try {
    BinaryFile out(partial, BinaryFile::Mode::Write);
    archive.Seek(static_cast<std::uint64_t>(entry.offset));
    archive.CopyTo(out, static_cast<std::uint64_t>(entry.size));
    out.Close();
    std::error_code ec;
    fs::rename(partial, target, ec);
    if (ec) throw CommandError::FromErrno(ec.value(), platform::DisplayPath(target));
  } catch (...) {
    std::error_code ignored;
    fs::remove(partial, ignored);
    throw;
  }
}

}  // namespace

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
  std::vector<PlannedFile> plan;
  plan.reserve(entries.size());
  for (const auto& entry : entries) {
    auto parts = SafeEntryParts(entry.name);
    if (parts.empty()) {
      throw CommandError("Unsafe entry name in GOB2 archive: " + entry.name,
                         platform::DisplayPath(archivePath));
    }
    plan.push_back({&entry, std::move(parts)});
  }

  platform::BusyCursor busy(ui);
  fs::create_directory(targetDir, ec);
  std::error_code statusError;
  if (!fs::is_directory(targetDir, statusError)) {
    throw CommandError::FromErrno(ec ? ec.value() : ENOTDIR, platform::DisplayPath(targetDir));
  }
  platform::ProgressSession progress(ui, "Ungobing " + archiveName + "...",
                                     "Extracting file: ", static_cast<int>(plan.size()));
  TargetTree tree(targetDir);
  int position = 0;
  for (const auto& file : plan) {
    ui.ProgressSetPosition(++position);
    ui.ProgressSetItem(file.entry->name);
    ui.ProcessEvents();
    CopyEntry(archive, *file.entry, tree.Place(file.parts));
  }
  return true;
}

}  // namespace kx::archive
