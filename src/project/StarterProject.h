#pragma once

#include "platform/Ui.h"
#include "project/ProjectStore.h"

#include <string>
#include <string_view>

namespace kx::project {

/// The JKL name as typed into the new-project dialog: blanks at its ends removed and ".jkl"
/// appended unless it ends so (in any case).
std::string StarterJklName(std::string_view typed);

/// "Start a new project": makes a project from the new-project dialog's three names. The level
/// name names the project's folder (as for an archive) and is the level's title; the JKL name
/// (StarterJklName) names the level file; the GOB2 name, completed as the dialog completes it,
/// is the archive the project packs into. The folder holds the starter level
/// (building::BuildStarterLevel) in jkl\, its episode file, a string table naming the level
/// and the starter resources; the project is then registered and opened (OpenNewProject). A GOB2
/// name already registered gets the same information box as an archive's. A JKL or GOB2 name
/// that cannot be a file name, or a JKL name holding a blank (it would split the episode file's
/// level line), is refused with "Invalid filename". Throws CommandError when a file cannot be
/// written; nothing is left behind then.
void NewStarterProject(ProjectContext& context, const platform::NewProjectAnswer& answer);

}  // namespace kx::project
