#pragma once

#include <string_view>

namespace kx::demo {

// The files of the demo, by the names the level and the archives give them.
inline constexpr std::string_view kLevelTitle = "Demo Station";
inline constexpr std::string_view kJklName = "demo.jkl";
inline constexpr std::string_view kLevelArchive = "DemoStation.gob";
inline constexpr std::string_view kColormap = "dflt.cmp";
inline constexpr std::string_view kCogScript = "dm_station.cog";
inline constexpr std::string_view kHumSound = "dm_hum.wav";

inline constexpr std::string_view kBrickMat = "dm_brick.mat";
inline constexpr std::string_view kFloorMat = "dm_floor.mat";
inline constexpr std::string_view kMetalMat = "dm_metal.mat";
inline constexpr std::string_view kSkyMat = "dm_sky.mat";
inline constexpr std::string_view kLightsMat = "dm_lights.mat";  // four cels that animate
inline constexpr std::string_view kCrateMat = "dm_crate.mat";
inline constexpr std::string_view kGlowMat = "dm_glow.mat";  // a colour material

inline constexpr std::string_view kCrateModel = "dm_crate.3do";
inline constexpr std::string_view kPlayerModel = "dm_player.3do";
inline constexpr std::string_view kLightPostModel = "dm_lightpost.3do";

}  // namespace kx::demo
