#pragma once

#include "building/Vec3.h"

#include "level/Level.h"

#include <memory>

namespace kx::demo {

/// The sectors of the demo level, by their index.
inline constexpr int kHallSector = 0;      // the first room, where the player starts
inline constexpr int kDoorwaySector = 1;   // a door-sized passage out of the hall
inline constexpr int kCorridorSector = 2;  // under a strip of light panels
inline constexpr int kAtriumSector = 3;    // the tall second room, open to the sky
inline constexpr int kPitSector = 4;       // below a square hole in the atrium's floor

/// Where the corner of the hall lies in the world; the rest of the level is placed from it. The
/// editor opens a level at 50 pixels per unit with the world's origin at the map's lower-left
/// corner, so a level there sits in the corner and its pit below the origin is cut off; four
/// units out on every axis it lies whole and near the middle of the map in all three views.
inline constexpr building::Vec3 kLevelCorner{4, 4, 4};

/// The level "Demo Station": a hall and a taller atrium joined by a doorway and a corridor, a
/// pit below the atrium's floor, lit by light posts and panels, with crates and the player's
/// start. Every record the game needs is filled in; the level keeps the game's rules
/// (CheckLevelRules).
std::unique_ptr<level::Level> BuildDemoLevel();

/// The first sector whose surfaces all face a point, or -1 when none holds it.
int SectorContaining(const level::Level& level, double x, double y, double z);

}  // namespace kx::demo
