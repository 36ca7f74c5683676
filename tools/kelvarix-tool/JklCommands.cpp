#include "JklCommands.h"

#include "CommandLevel.h"
#include "ConsoleUi.h"

#include "level/EpisodeFile.h"
#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "level/Words.h"
#include "platform/FileIo.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace kx::tool {

namespace {

namespace fs = std::filesystem;

int UsageError(std::string_view usage) {
  std::cerr << "Usage: kelvarix-tool jkl " << usage << '\n';
  return 1;
}

int RunStats(const std::vector<std::string>& args) {
  if (args.size() != 1) return UsageError("stats FILE");
  ConsoleUi ui;
  const CommandLevel read = ReadCommandLevel(args[0], ui);
  const level::Level& l = *read.level;
  const std::pair<const char*, int> counts[] = {
      {"copyright", l.copyright.count},
      {"sounds", l.sounds.count},
      {"materials", l.materials.count},
      {"colormaps", l.colormaps.count},
      {"vertices", l.vertices.count},
      {"texturevertices", l.texturevertices.count},
      {"adjoins", l.adjoins.count},
      {"surfaces", l.surfaces.count},
      {"sectors", l.sectors.count},
      {"aiclasses", l.aiclasses.count},
      {"models", l.models.count},
      {"sprites", l.sprites.count},
      {"keyframes", l.keyframes.count},
      {"puppets", l.puppets.count},
      {"soundclasses", l.soundclasses.count},
      {"cogscripts", l.cogscripts.count},
      {"cogs", l.cogs.count},
      {"templates", l.templates.count},
      {"things", l.things.count},
  };
  for (const auto& [name, count] : counts) std::cout << name << ' ' << count << '\n';
  return StatusAfterRead(read, args[0]);
}

/// The folder's episode file, whatever the case of its name (archives keep their entries' case).
std::optional<fs::path> FindEpisodeFile(const fs::path& folder) {
  std::error_code error;
  const fs::path where = folder.empty() ? fs::path(".") : folder;
  for (fs::directory_iterator it(where, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error) &&
        level::EqualsIgnoringCase(it->path().filename().string(), "episode.jk")) {
      return it->path();
    }
  }
  return std::nullopt;
}

int RunNormalize(const std::vector<std::string>& args) {
  if (args.size() != 2) return UsageError("normalize IN OUT");
  const fs::path in = args[0];
  const fs::path out = args[1];
  ConsoleUi ui;
  const CommandLevel read = ReadCommandLevel(in, ui);
  // What the read left out would be lost in OUT, and OUT may well be IN.
  if (!read.complete) {
    ReportIncompleteRead(in);
    std::cerr << platform::DisplayPath(out) << " not written\n";
    return 1;
  }
  level::Level& level = *read.level;
  // Everything is read before anything is written, so a bad episode file leaves OUT alone.
  const auto episodeIn = FindEpisodeFile(in.parent_path());
  if (episodeIn) level::ReadEpisode(level.episode, *episodeIn);
  platform::WriteFileAtomically(
      out, level::FormatLevel(level, platform::DisplayPath(out), level::CurrentTimeStamp()));
  if (episodeIn) {
    level::WriteEpisode(level.episode, out.filename().string(), out.parent_path() / "episode.jk");
  }
  return 0;
}

}  // namespace

CommandList JklCommands() {
  return {
      {"jkl", "stats", "FILE",
       "Reads the JKL level FILE as the editor does and prints one line per table, `name count`:\n"
       "copyright, sounds, materials, colormaps, vertices, texturevertices, adjoins, surfaces,\n"
       "sectors, aiclasses, models, sprites, keyframes, puppets, soundclasses, cogscripts, cogs,\n"
       "templates, things. A level the editor cannot read ends with its error on stderr and\n"
       "exit status 1; so does, after the counts, a level read with records left out (the notes\n"
       "on stderr name them).",
       RunStats},
      {"jkl", "normalize", "IN OUT",
       "Reads the JKL level IN as the editor does and writes it to OUT in the editor's own\n"
       "layout (line 1 names OUT). When IN's folder holds an episode.jk, it is read and a new\n"
       "episode.jk naming OUT's file is written beside OUT; otherwise no episode file is written.\n"
       "When the read leaves records of IN out (the notes on stderr name them), nothing is\n"
       "written and the exit status is 1.",
       RunNormalize},
  };
}

}  // namespace kx::tool
