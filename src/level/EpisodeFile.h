#pragma once

#include "level/Level.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kx::level {

/// Reads the title and type of the episode file at path into episode.
/// Throws platform::CommandError ("File not found", "'%s' is not a valid integer value") and
/// leaves episode untouched then.
void ReadEpisode(EpisodeInfo& episode, const std::filesystem::path& path);

/// Writes a complete episode file listing the one level jklName. Throws platform::CommandError.
void WriteEpisode(const EpisodeInfo& episode, const std::string& jklName,
                  const std::filesystem::path& path);

/// Takes the title (the first line without its enclosing quotes) and the type (a TYPE line)
/// of episode file text into episode; a text without a TYPE line leaves the type as it was.
/// sourceName names the file in error details. Throws platform::CommandError.
void ParseEpisode(std::string_view bytes, const std::string& sourceName, EpisodeInfo& episode);

/// The whole text of the episode file that WriteEpisode writes, lines ending in CR LF.
std::string FormatEpisode(const EpisodeInfo& episode, const std::string& jklName);

/// The name the episode file gives a type ("Single-player", "Deathmatch", "Special/CTF"), or
/// empty for any other type.
std::string_view EpisodeTypeName(std::int32_t type);

}  // namespace kx::level
