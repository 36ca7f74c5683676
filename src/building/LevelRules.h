#pragma once

#include "level/Level.h"

#include <string>
#include <vector>

namespace kx::building {

/// The game's rules for a valid level, checked on the records in use: every surface planar,
/// convex, with at least three corners and a normal that agrees with its corners' winding;
/// every sector closed (each edge shared by exactly two of its surfaces, running opposite ways)
/// and convex with its surfaces facing into it, its vertex list, bound box, centre and radius
/// those of its surfaces' vertices; every adjoin used by one surface, its mirror pointing back
/// from a coinciding surface of another sector; every thing inside its sector and made from a
/// listed template. Returns one line per broken rule; empty when the level keeps them all.
std::vector<std::string> CheckLevelRules(const level::Level& level);

}  // namespace kx::building
