#pragma once

#include "building/PaintedMaterials.h"
#include "building/Vec3.h"

#include "level/Level.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kx::building {

/// The starter room's own resources, named apart from the game's so that a project never
/// replaces one of the game's files.
inline constexpr std::string_view kStarterFloorMat = "kxfloor.mat";
inline constexpr std::string_view kStarterWallMat = "kxwall.mat";
inline constexpr std::string_view kStarterCeilingMat = "kxceil.mat";
inline constexpr std::string_view kStarterGlowMat = "kxglow.mat";
inline constexpr std::string_view kStarterColormap = "kxroom.cmp";
inline constexpr std::string_view kStarterPlayerModel = "kxplayer.3do";

/// The room's extent in the world: one unit out from the origin, where the map opens, so that the
/// whole room shows in every view.
inline constexpr Vec3 kStarterRoomMin{1, 1, 1};
inline constexpr Vec3 kStarterRoomMax{3, 3, 1.6};

/// The level of a project started from nothing: one closed room (a box sector with a tiled
/// floor, brick walls and a metal ceiling), a lamp under the ceiling whose light is baked into
/// the surfaces, and the player's start ("walkplayer") on the floor. It holds the game's
/// copyright notice and header values, keeps every level rule (CheckLevelRules), and its episode
/// title is title.
std::unique_ptr<level::Level> BuildStarterLevel(const std::string& title);

/// What the starter level uses besides itself, under the names the game looks them up by: its
/// four materials (mat\), its colormap (misc\cmp\) and the player's model (3do\), so that the
/// project opens, draws and packs whether or not the game is installed.
std::vector<GeneratedFile> StarterResources();

}  // namespace kx::building
