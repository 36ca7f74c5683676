#include "preview3d/ResourceIndex.h"

#include "platform/BinaryFile.h"
#include "platform/CommandError.h"
#include "platform/GamePaths.h"

#include <algorithm>
#include <filesystem>

namespace kx::preview3d {

namespace {

constexpr std::string_view kModelMaterialFolder = "3DO\\MAT\\";

std::string ReadPart(const std::filesystem::path& path, std::uint64_t offset, std::uint64_t size,
                     std::size_t limit) {
  platform::BinaryFile file(path, platform::BinaryFile::Mode::Read);
  file.Seek(offset);
  std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(size, limit)), '\0');
  file.ReadExactly(bytes.data(), bytes.size());
  return bytes;
}

}  // namespace

ResourceIndex::ResourceIndex(const resources::ResourcePaths& paths,
                             std::vector<std::string>& notices)
    : m_paths(paths) {
  std::error_code error;
  if (paths.res2Path.empty() || !std::filesystem::is_regular_file(paths.res2Path, error)) return;
  try {
    archive::ForEachGobEntry(paths.res2Path, [&](const archive::GobDirectoryEntry& entry) {
      std::string key = archive::GobLookupKey(entry.name);
      if (key.size() > kModelMaterialFolder.size() && key.starts_with(kModelMaterialFolder)) {
        m_modelMaterials.insert(key.substr(kModelMaterialFolder.size()));
      }
      // The first entry of a name is the one a lookup finds.
      m_entries.emplace(std::move(key), entry);
    });
  } catch (const platform::CommandError& failure) {
    notices.push_back("The game's resource archive cannot be read: " + failure.FullText());
    m_entries.clear();
    m_modelMaterials.clear();
  }
}

std::optional<std::string> ResourceIndex::Read(std::string_view name, std::size_t limit) const {
  if (!m_paths.projectDir.empty()) {
    if (const auto loose = platform::FindFileIgnoringCase(m_paths.projectDir, name)) {
      std::error_code error;
      const auto size = std::filesystem::file_size(*loose, error);
      if (!error) return ReadPart(*loose, 0, size, limit);
    }
  }
  const auto found = m_entries.find(archive::GobLookupKey(name));
  if (found == m_entries.end()) return std::nullopt;
  // The directory checked every entry against the archive's length.
  return ReadPart(m_paths.res2Path, static_cast<std::uint64_t>(found->second.offset),
                  static_cast<std::uint64_t>(found->second.size), limit);
}

}  // namespace kx::preview3d
