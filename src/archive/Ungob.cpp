#include "archive/Ungob.h"

#include "archive/EntryNames.h"
#include "archive/GobDirectory.h"
#include "level/Words.h"
#include "platform/BinaryFile.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"

#include <map>
#include <system_error>
#include <vector>

namespace kx::archive {

namespace fs = std::filesystem;
using platform::BinaryFile;
using platform::CommandError;

namespace {

constexpr std::size_t kCopyBlock = 64000;

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
      dir = Child(dir, parts[i]);
      std::error_code ignored;
      fs::create_directory(dir, ignored);  // a failure shows when the file is created
    }
    return Child(dir, parts.back());
  }

 private:
  fs::path Child(const fs::path& dir, const std::string& name) {
    auto& names = Listing(dir);
    const auto [it, added] = names.emplace(level::ToUpperAscii(name), name);
    const fs::path child = dir / it->second;
    std::error_code ec;
    // A link left in a target folder must not carry the archive's files elsewhere.
    if (!added && fs::is_symlink(child, ec)) {
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
      }
    }
    return it->second;
  }

  fs::path m_root;
  std::map<std::string, std::map<std::string, std::string>> m_listings;
};

void CopyEntry(BinaryFile& archive, const GobDirectoryEntry& entry, const fs::path& target,
               std::vector<char>& block) {
  // The data goes to a side file first, so a failure never leaves a short file under the
  // entry's name.
  fs::path partial = target;
  partial += ".kxpart";
  try {
    BinaryFile out(partial, BinaryFile::Mode::Write);
    archive.Seek(static_cast<std::uint64_t>(entry.offset));
    auto left = static_cast<std::uint64_t>(entry.size);
    while (left > 0) {
      const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left, kCopyBlock));
      archive.ReadExactly(block.data(), n);
      out.Write(block.data(), n);
      left -= n;
    }
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
  if (!fs::is_directory(targetDir)) {
    throw CommandError::FromErrno(ec ? ec.value() : ENOTDIR, platform::DisplayPath(targetDir));
  }
  platform::ProgressSession progress(ui, "Ungobing " + archiveName + "...",
                                     "Extracting file: ", static_cast<int>(plan.size()));
  TargetTree tree(targetDir);
  std::vector<char> block(kCopyBlock);
  int position = 0;
  for (const auto& file : plan) {
    ui.ProgressSetPosition(++position);
    ui.ProgressSetItem(file.entry->name);
    ui.ProcessEvents();
    CopyEntry(archive, *file.entry, tree.Place(file.parts), block);
  }
  return true;
}

}  // namespace kx::archive
