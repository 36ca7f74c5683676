#pragma once

#include "level/Level.h"
#include "platform/Ui.h"

#include <filesystem>

namespace kx::resources {

/// Reads the radius of every model of the level from 3do\NAME, found in projectDir or else in the
/// resource archive res2Path, with the progress window "Parsing 3DO files...". Models that are
/// not found keep their radius, as does one whose file has no radius. Each one missing is noted
/// ("Can't find NAME in Parse3DOs"), and after the reading one box names them: "Can't find
/// NAME, NAME\r in Parse3DOs", at most ten of them and how many more. Throws
/// platform::CommandError when a read fails.
void Parse3DOs(level::Level& level, const std::filesystem::path& projectDir,
               const std::filesystem::path& res2Path, platform::Ui& ui);

}  // namespace kx::resources
