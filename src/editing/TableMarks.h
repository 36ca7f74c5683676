#pragma once

#include "level/Level.h"
#include "mapview/EditMode.h"

namespace kx::editing {

/// Calls visit(marks) for the marks of every record in use of the mode's table, in table order.
template <typename LevelType, typename Visit>
void ForEachMarks(LevelType& level, mapview::EditMode mode, Visit&& visit) {
  const auto walk = [&](auto& table) {
    for (int i = 0; i < table.Used(); ++i) visit(table[i].marks);
  };
  switch (mode) {
    case mapview::EditMode::Vertex:
      walk(level.vertices);
      break;
    case mapview::EditMode::Surface:
      walk(level.surfaces);
      break;
    case mapview::EditMode::Sector:
      walk(level.sectors);
      break;
    case mapview::EditMode::Thing:
      walk(level.things);
      break;
  }
}

}  // namespace kx::editing
