#pragma once

#include "level/Level.h"
#include "preview3d/ResourceIndex.h"
#include "resources/Colormap.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kx::preview3d {

/// Reports the progress of a scene build: item index (from 0) of count.
using BuildProgress = std::function<void(int index, int count)>;

/// One texture of the scene: width x height true-colour pixels (red, green, blue), rows top to
/// bottom, so that v = 0 is the top row as the game's texture vertices count it.
struct SceneTexture {
  int width = 1;
  int height = 1;
  std::vector<std::uint8_t> rgb;
};

/// The textures of a level's materials, ready to upload: texture 0 is the fallback, a 1 x 1
/// image of palette colour 255, shared by every material that is not found or cannot be used.
struct SceneMaterials {
  resources::Palette palette{};
  std::vector<SceneTexture> textures;
  std::vector<int> materialTexture;  // per material of the level, its texture
  /// What the user is told once: a damaged material by name, a palette that is not the level's.
  std::vector<std::string> notices;

  /// The texture of material index mat; the fallback for an index outside the table.
  int TextureOf(int mat) const;
};

/// A 256-entry palette running from black (0) to white (255) in equal grey steps.
resources::Palette GreyRamp();

/// The palette from the level's first colormap (misc\cmp\NAME); a grey ramp and a notice when
/// the level has none, or it is not found or too short.
resources::Palette LoadScenePalette(const level::Level& level, const ResourceIndex& index,
                                    std::vector<std::string>& notices);

/// The palette and one texture per material of the level, in table order: a texture
/// material's first cel at its own size, a colour material as one pixel of its first colour.
/// A material whose name is one of the archive's model materials, or that is found nowhere, is
/// the fallback; one
/// that is not a whole material (damaged, cut short, without cels) is the fallback and named
/// once in the notices. Reports each material to progress.
SceneMaterials LoadSceneMaterials(const level::Level& level, const ResourceIndex& index,
                                  const BuildProgress& progress);

}  // namespace kx::preview3d
