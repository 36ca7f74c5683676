#pragma once

#include <cstddef>

/// Every limit of the level tables, in one place. These are the least the tables hold; a level
/// beyond them is refused by the reader with an error naming the limit.
namespace kx::level::capacity {

inline constexpr int kCopyrightLines = 64;
inline constexpr int kSounds = 512;
inline constexpr int kMaterials = 1024;
inline constexpr int kColormaps = 32;
inline constexpr int kVertices = 16384;
inline constexpr int kTextureVertices = 65536;
inline constexpr int kAdjoins = 4096;
inline constexpr int kSurfaces = 16384;
inline constexpr int kSectors = 2048;
inline constexpr int kAIClasses = 32;
inline constexpr int kModels = 256;
inline constexpr int kSprites = 32;
// Real levels list more keyframes than the 256 the game's own tools allowed (one lists 269).
inline constexpr int kKeyframes = 1024;
inline constexpr int kPuppets = 32;
inline constexpr int kSoundClasses = 128;
inline constexpr int kCogScripts = 256;
inline constexpr int kCogs = 256;
inline constexpr int kTemplates = 512;
inline constexpr int kThings = 1024;

inline constexpr int kSurfaceMaxVertices = 24;  // SURFACE_MAX_VERTICES
// A sector's vertex list holds indices into the vertex table, so it is never longer.
inline constexpr int kSectorMaxVertices = kVertices;

// Text limits, in characters (bytes of the game's 8-bit text).
inline constexpr std::size_t kCopyrightText = 255;
inline constexpr std::size_t kSoundLineText = 128;
inline constexpr std::size_t kColormapText = 128;
inline constexpr std::size_t kNameText = 32;

}  // namespace kx::level::capacity
