#pragma once

#include "editing/LevelChange.h"
#include "level/Level.h"
#include "mapview/MapView.h"

#include <optional>
#include <string>
#include <vector>

namespace kx::editing {

/// Why count things cannot be duplicated, or none: there are none, or the things table has no
/// room for their copies.
std::optional<std::string> DuplicateRefusal(const level::Level& level, std::size_t count);

/// The name of the step: "Duplicate 1 thing", "Duplicate 3 things".
std::string DuplicateStepName(std::size_t count);

/// Appends a copy of each thing, written through change, offset world units along the view's
/// horizontal axis; a copy stands in the sector that holds its place (its original's when that
/// one does, or when none does). Returns the copies' indices, in the order of things.
std::vector<int> DuplicateThings(LevelChange& change, const std::vector<int>& things,
                                 mapview::View view, double offset);

}  // namespace kx::editing
