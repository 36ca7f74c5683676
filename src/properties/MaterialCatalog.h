#pragma once

#include "editing/Editor.h"
#include "platform/Ui.h"
#include "resources/ResourceLookup.h"

#include <string>
#include <string_view>
#include <vector>

namespace kx::properties {

/// Every material the project folder and the game's resource archive hold under mat\ and
/// 3do\mat\: file names only (wall.mat), each once with letter case ignored (the project's
/// spelling first), sorted with letter case ignored. Names a level file cannot hold (more than
/// 32 characters, or a blank, "#" or control character in them) are left out. A damaged
/// archive is told through ui in an "Error" box; the project's materials are listed still.
std::vector<std::string> ListGameMaterials(const resources::ResourcePaths& paths, platform::Ui& ui);

/// The names that hold filter, letter case ignored, in their order; all when filter is empty.
std::vector<std::string> FilterNames(const std::vector<std::string>& names,
                                     std::string_view filter);

/// What adding a material to the level came to, and the material's index in its table (-1
/// when the table was full).
struct AddedMaterial {
  enum class Outcome { Added, AlreadyListed, TableFull };
  Outcome outcome;
  int index = -1;
};

/// Appends material name with x and y tile 1.0 to the level's materials table as the step
/// "Add Material". A name the table already holds (letter case ignored) is not added again; a
/// full table changes nothing and is told through ui in a "Warning" box.
AddedMaterial AddMaterial(editing::Editor& editor, std::string_view name, platform::Ui& ui);

/// The warning shown when the materials table is full.
std::string MaterialsFullText(std::string_view name, int capacity);

}  // namespace kx::properties
