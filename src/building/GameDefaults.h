#pragma once

#include "level/Level.h"

#include <string>
#include <vector>

namespace kx::building {

/// Fills the COPYRIGHT section with LucasArts' notice, line for line as the game's own levels
/// carry it: the game loads only levels that hold it exactly.
void SetGameCopyright(level::Level& level);

/// The header values the game's own levels use.
level::LevelHeader GameHeader();

/// The templates a player start needs: "_actor", the base of every actor, and "walkplayer"
/// based on it, shown with the model named (a figure about 0.065 units around its origin).
std::vector<level::Template> PlayerTemplates(const std::string& model);

/// Sets a table's records to items and its count to their number.
template <typename T>
void Fill(level::Table<T>& table, const std::vector<T>& items) {
  table.count = static_cast<std::int32_t>(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) table[static_cast<int>(i)] = items[i];
}

}  // namespace kx::building
