#include "level/EpisodeFile.h"

#include "level/JklErrors.h"
#include "level/Numbers.h"
#include "level/TextLines.h"
#include "level/Words.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"

namespace kx::level {

std::string_view EpisodeTypeName(std::int32_t type) {
  switch (type) {
    case kEpisodeSinglePlayer:
      return "Single-player";
    case kEpisodeDeathmatch:
      return "Deathmatch";
    case kEpisodeSpecialCtf:
      return "Special/CTF";
    default:
      return {};
  }
}

void ParseEpisode(std::string_view bytes, const std::string& sourceName, EpisodeInfo& episode) {
  EpisodeInfo read = episode;
  read.title.clear();
  TextLines lines(bytes);
  std::string_view line;
  if (lines.Next(line)) {
    // The title is the first line whatever it holds, written between double quotes.
    const std::string_view cased = Trim(line);
    read.title = cased.size() >= 2 ? std::string(cased.substr(1, cased.size() - 2)) : "";
  }
  while (lines.Next(line)) {
    if (!StartsWithIgnoringCase(Trim(line), "TYPE")) continue;
    const std::string working = ToUpperAscii(Trim(line));
    std::string_view words = working;
    NextWord(words);
    const std::string_view number = NextWord(words);
    read.type = ParseStrictInt(number, JklPlace(sourceName, lines.LineNumber()));
  }
  episode = std::move(read);
}

void ReadEpisode(EpisodeInfo& episode, const std::filesystem::path& path) {
  const std::string bytes = platform::ReadFileBytes(path);
  ParseEpisode(bytes, platform::DisplayPath(path), episode);
}

std::string FormatEpisode(const EpisodeInfo& episode, const std::string& jklName) {
  const std::string_view typeName = EpisodeTypeName(episode.type);
  std::string text;
  const auto line = [&text](std::string_view content) {
    text += content;
    text += "\r\n";
  };
  line("\"" + episode.title + "\"");
  line("# Title must be first line.");
  line("# Please use TABs for alignment!");
  line("");
  line("TYPE\t" + std::to_string(episode.type) + "\t# " + std::string(typeName));
  if (!typeName.empty()) line("");
  line("SEQ\t1");
  line("");
  line("# <lightpow> and <darkpow> are the inventory bin numbers for that power.");
  line("");
  line("# <line>\t<cd>\t<level>\t<type>\t\t<file>\t\t\t<lightpow>\t<darkpow>\t<gotoA>\t<gotoB>");
  line("");
  line("10:\t\t1\t1\tLEVEL\t\t" + jklName + "\t\t0\t\t0\t\t-1\t-1");
  line("");
  line("end");
  line("");
  return text;
}

void WriteEpisode(const EpisodeInfo& episode, const std::string& jklName,
                  const std::filesystem::path& path) {
  platform::WriteFileAtomically(path, FormatEpisode(episode, jklName));
}

}  // namespace kx::level
