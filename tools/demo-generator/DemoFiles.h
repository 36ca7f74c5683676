#pragma once

#include "building/PaintedMaterials.h"

#include "level/Level.h"

#include <filesystem>
#include <vector>

namespace kx::demo {

/// What the game's resource archive holds for the demo: the materials (mat\), the colormap
/// (misc\cmp\dflt.cmp), the models (3do\) and the hum (sound\).
std::vector<building::GeneratedFile> ResourceFiles();

/// What the demo's level archive holds: jkl\demo.jkl written from level by the editor's own
/// writer, episode.jk, misc\cogstrings.uni naming the level, and the cog script (cog\).
std::vector<building::GeneratedFile> LevelArchiveFiles(const level::Level& level);

/// Writes the demo under outputDir: game/resource/res2.gob, an empty game/episode folder and
/// DemoStation.gob, packed by the editor's own archive writer. Throws std::runtime_error listing
/// the problems when the level breaks the game's rules, and platform::CommandError when a file
/// cannot be written.
void WriteDemo(const std::filesystem::path& outputDir);

}  // namespace kx::demo
