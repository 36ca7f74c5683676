#pragma once

#include <filesystem>
#include <string>

#include "level/Level.h"

namespace kx::level {

/// Reads the title and type of the episode file at path into episode.
/// Throws platform::CommandError ("File not found", "'%s' is not a valid integer value").
void ReadEpisode(EpisodeInfo& episode, const std::filesystem::path& path);

/// Writes a complete episode file listing the one level jklName. Throws platform::CommandError.
void WriteEpisode(const EpisodeInfo& episode, const std::string& jklName,
                  const std::filesystem::path& path);

}  // namespace kx::level
