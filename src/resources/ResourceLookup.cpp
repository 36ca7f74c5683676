#include "resources/ResourceLookup.h"

#include <algorithm>
#include <array>

namespace kx::resources {

std::optional<std::string> ReadGameResource(std::string_view name, const ResourcePaths& paths,
                                            std::size_t limit) {
  archive::TGobEntry entry;
  archive::OpenGobEntry(entry, name, paths.projectDir, paths.res2Path);
  if (entry.start == -1) return std::nullopt;
  archive::RewindGobEntry(entry);
  if (entry.start == -1) return std::nullopt;
  // The size in an archive's directory is not trusted: the bytes grow block by block as they are
  // actually read.
  std::string bytes;
  std::array<char, 64000> block;
  while (bytes.size() < limit) {
    const std::size_t wanted = std::min(block.size(), limit - bytes.size());
    const std::size_t got = archive::GobReadBytes(entry, block.data(), wanted);
    bytes.append(block.data(), got);
    if (got < wanted) break;
  }
  archive::CloseGobEntry(entry);
  return bytes;
}

}  // namespace kx::resources
