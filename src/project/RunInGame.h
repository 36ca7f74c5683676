#pragma once

#include "project/ProjectStore.h"

#include <filesystem>
#include <string_view>

namespace kx::project {

inline constexpr std::string_view kRunInGameMessage =
    "A GOB containing the level is now created in the JK Episode directory.\r"
    "However, starting JK from Kelvarix is temporary disabled, due to memory conflicts between "
    "the two programs. Please exit Kelvarix and start JK manually to run the level.";

/// File > Gob project: packs the open project into ProjectDir\gob\GOB2Name under the busy
/// cursor. Throws CommandError as archive::MakeGob.
void GobProjectCommand(ProjectContext& context);

/// File > Run project in JK: packs the project, copies the archive into the game's episode
/// folder (through a temporary file and a rename) and tells the user to start the game.
/// Throws CommandError when packing or copying fails (no box is shown then), or "File not
/// found" naming the episode folder when JKDir is not set.
void RunProjectCommand(ProjectContext& context);

/// Copies source to target through a temporary file beside target, renamed over it only when
/// complete. Throws CommandError with the runtime's text.
void CopyFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace kx::project
