#include "archive/GobWriter.h"

#include "archive/EntryNames.h"
#include "archive/GobDirectory.h"
#include "level/Words.h"
#include "platform/BinaryFile.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"
#include "platform/GamePaths.h"

#include <algorithm>
#include <system_error>

namespace kx::archive {

namespace fs = std::filesystem;
using platform::BinaryFile;
using platform::CommandError;

namespace {

void PutLittleEndian32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(value >> shift));
}

bool IsRecoveryFile(const std::string& fileName) {
  return fileName.size() > kRecoveryFileSuffix.size() &&
         level::EqualsIgnoringCase(
             std::string_view(fileName).substr(fileName.size() - kRecoveryFileSuffix.size()),
             kRecoveryFileSuffix);
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return !b.empty() && fs::equivalent(a, b, ec);
}

class Collector {
 public:
  Collector(fs::path projectDir, fs::path exclude)
      : m_projectDir(std::move(projectDir)), m_exclude(std::move(exclude)) {}

  void Walk(const fs::path& dir, const std::string& prefix) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) throw CommandError::FromErrno(ec.value(), platform::DisplayPath(dir));
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
      if (ec) throw CommandError::FromErrno(ec.value(), platform::DisplayPath(dir));
      const fs::path& path = it->path();
      const std::string fileName = path.filename().string();
      const std::string relative = prefix.empty() ? fileName : prefix + "\\" + fileName;
      std::error_code statusError;
      if (it->is_directory(statusError)) {
        // The output folder is never packed; neither is any other folder of that name, nor a
        // link that could lead out of the project or round in a circle.
        if (level::EqualsIgnoringCase(fileName, "gob") || it->is_symlink(statusError)) continue;
        Walk(path, relative);
      } else if (it->is_regular_file(statusError) && !SameFile(path, m_exclude) &&
                 !IsRecoveryFile(fileName)) {
        // A recovery file holds unsaved work of the editor, not a file of the level.
        Add(path, relative);
      }
    }
  }

  std::vector<GobSourceFile> Take() { return std::move(m_files); }

 private:
  void Add(const fs::path& path, const std::string& relative) {
    if (m_files.size() == kMaxGobFiles) {
      throw CommandError("Too many files to pack: a GOB2 archive holds at most 8192 files",
                         platform::DisplayPath(m_projectDir));
    }
    std::string name = GobEntryName(relative);
    if (name.size() > kMaxGobName) {
      throw CommandError(
          "File name too long for a GOB2 archive (more than 128 characters): " + name,
          platform::DisplayPath(path));
    }
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) throw CommandError::FromErrno(ec.value(), platform::DisplayPath(path));
    m_files.push_back({path, std::move(name), size});
  }

  fs::path m_projectDir;
  fs::path m_exclude;
  std::vector<GobSourceFile> m_files;
};

void CopyInto(BinaryFile& out, const GobSourceFile& file) {
  BinaryFile in(file.source, BinaryFile::Mode::Read);
  // A file that shrank since it was listed would leave the directory wrong: CopyTo refuses.
  in.CopyTo(out, file.size);
}

}  // namespace

std::string GobEntryName(std::string relativeName) {
  if (level::EqualsIgnoringCase(relativeName, "EPISODE.JK")) return "episode.jk";
  // The game's tools lower-case these leading folder names, and only when written in capitals.
  const auto lowerPrefix = [&](std::string_view upper) {
    if (relativeName.compare(0, upper.size(), upper) == 0) {
      for (std::size_t i = 0; i < upper.size(); ++i) {
        relativeName[i] = static_cast<char>(relativeName[i] - 'A' + 'a');
      }
    }
  };
  lowerPrefix("COG");
  lowerPrefix("JKL");
  lowerPrefix("MISC");
  return relativeName;
}

std::vector<GobSourceFile> CollectGobFiles(const fs::path& projectDir, const fs::path& exclude) {
  Collector collector(projectDir, exclude);
  collector.Walk(projectDir, "");
  auto files = collector.Take();
  std::sort(files.begin(), files.end(), [](const GobSourceFile& a, const GobSourceFile& b) {
    const auto upperA = level::ToUpperAscii(a.name);
    const auto upperB = level::ToUpperAscii(b.name);
    return upperA != upperB ? upperA < upperB : a.name < b.name;
  });
  return files;
}

void WriteGob(const std::vector<GobSourceFile>& files, const fs::path& archivePath) {
  const std::uint64_t headerSize = 16 + files.size() * kGobEntrySize;
  std::uint64_t total = headerSize;
  for (const auto& file : files) total += file.size;
  if (files.size() > kMaxGobFiles || total > static_cast<std::uint64_t>(INT32_MAX)) {
    throw CommandError("Too much to pack: a GOB2 archive holds at most 8192 files and 2 GB",
                       platform::DisplayPath(archivePath));
  }
  std::string head = "GOB ";
  PutLittleEndian32(head, 0x14);
  PutLittleEndian32(head, 12);  // the directory follows the header at once
  PutLittleEndian32(head, static_cast<std::uint32_t>(files.size()));
  auto offset = static_cast<std::uint32_t>(headerSize);
  for (const auto& file : files) {
    PutLittleEndian32(head, offset);
    PutLittleEndian32(head, static_cast<std::uint32_t>(file.size));
    std::string field = file.name;
    field.resize(kGobNameField, '\0');
    head += field;
    offset += static_cast<std::uint32_t>(file.size);
  }

  fs::path temporary = archivePath;
  temporary += ".kxtmp";
  try {
    BinaryFile out(temporary, BinaryFile::Mode::Write);
    out.Write(head.data(), head.size());
    for (const auto& file : files) CopyInto(out, file);
    out.Close();
    std::error_code ec;
    fs::rename(temporary, archivePath, ec);
    if (ec) throw CommandError::FromErrno(ec.value(), platform::DisplayPath(archivePath));
  } catch (...) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw;
  }
}

fs::path MakeGob(const fs::path& projectDir, const std::string& archiveName) {
  if (!IsPlainFileName(archiveName)) throw CommandError::InvalidFilename(archiveName);
  fs::path gobDir =
      platform::FindDirectoryIgnoringCase(projectDir, "gob").value_or(projectDir / "gob");
  std::error_code ec;
  fs::create_directory(gobDir, ec);
  std::error_code statusError;
  if (!fs::is_directory(gobDir, statusError)) {
    throw CommandError::FromErrno(ec ? ec.value() : ENOTDIR, platform::DisplayPath(gobDir));
  }
  const fs::path archivePath = gobDir / archiveName;
  WriteGob(CollectGobFiles(projectDir), archivePath);
  return archivePath;
}

}  // namespace kx::archive
