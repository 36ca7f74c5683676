#include "preview3d/SceneMaterials.h"

#include "level/Words.h"
#include "platform/CommandError.h"
#include "resources/CelImage.h"
#include "resources/MatFile.h"

#include <algorithm>
#include <optional>

namespace kx::preview3d {

namespace {

using platform::CommandError;

// A material is read whole; none of the game's comes near this, so more is a damaged file.
constexpr std::size_t kMaxMaterialBytes = 64u << 20;
// The largest texture side every OpenGL 3.3 driver takes.
constexpr int kMaxTextureSide = 1024;

SceneTexture OneColour(resources::Rgb colour) {
  return SceneTexture{1, 1, {colour.red, colour.green, colour.blue}};
}

std::string Problem(const std::string& name, const std::string& why) {
  return "Damaged material " + name + ": " + why;
}

// The texture of a material's bytes, or the reason it cannot be shown.
std::optional<SceneTexture> DecodeTexture(std::string_view bytes, const std::string& name,
                                          const resources::Palette& palette, std::string& why) {
  std::optional<resources::MatFile> mat;
  try {
    mat = resources::DecodeMat(bytes, name);
  } catch (const CommandError& error) {
    why = error.text() + (error.detail().empty() ? "" : " (" + error.detail() + ")");
    return std::nullopt;
  }
  if (!mat) {
    why = "not a material";
    return std::nullopt;
  }
  if (mat->cels.empty()) {
    why = "it has no cels";
    return std::nullopt;
  }
  const resources::Cel& cel = mat->cels.front();
  if (!mat->IsTexture()) return OneColour(palette[cel.colourIndex]);
  if (cel.width < 1 || cel.height < 1 || cel.width > kMaxTextureSide ||
      cel.height > kMaxTextureSide) {
    why = "its texture is " + std::to_string(cel.width) + "x" + std::to_string(cel.height);
    return std::nullopt;
  }
  // Only the largest mip-map level is shown; the decoder checked that it is all there.
  const resources::RgbImage image =
      mat->format.IsIndexed()
          ? resources::DrawIndexedImage(cel.width, cel.height, cel.pixels, palette)
          : resources::DrawDirectColourImage(cel.width, cel.height, cel.pixels, mat->format);
  return SceneTexture{image.width, image.height, image.rgb};
}

}  // namespace

int SceneMaterials::TextureOf(int mat) const {
  if (mat < 0 || mat >= static_cast<int>(materialTexture.size())) return 0;
  return materialTexture[static_cast<std::size_t>(mat)];
}

resources::Palette GreyRamp() {
  resources::Palette palette;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const auto grey = static_cast<std::uint8_t>(i);
    palette[i] = {grey, grey, grey};
  }
  return palette;
}

resources::Palette LoadScenePalette(const level::Level& level, const ResourceIndex& index,
                                    std::vector<std::string>& notices) {
  if (level.colormaps.Used() == 0) {
    notices.push_back("The level has no colormap: grey palette");
    return GreyRamp();
  }
  const std::string& name = level.colormaps[0];
  try {
    const auto bytes = index.Read("misc\\cmp\\" + name, resources::kColormapPaletteEnd);
    if (!bytes) {
      notices.push_back("Colormap " + name + " not found: grey palette");
      return GreyRamp();
    }
    return resources::DecodeColormap(*bytes, name);
  } catch (const CommandError& error) {
    notices.push_back("Colormap " + name + " cannot be read (" + error.text() + "): grey palette");
    return GreyRamp();
  }
}

SceneMaterials LoadSceneMaterials(const level::Level& level, const ResourceIndex& index,
                                  const BuildProgress& progress) {
  SceneMaterials scene;
  scene.palette = LoadScenePalette(level, index, scene.notices);
  scene.textures.push_back(OneColour(scene.palette[255]));
  const int count = level.materials.Used();
  scene.materialTexture.assign(static_cast<std::size_t>(count), 0);
  std::vector<std::string> damaged;
  for (int i = 0; i < count; ++i) {
    if (progress) progress(i, count);
    const std::string& name = level.materials[i].name;
    if (index.ModelMaterials().contains(level::ToUpperAscii(name))) continue;
    std::string why;
    std::optional<SceneTexture> texture;
    try {
      const auto bytes = index.Read("mat\\" + name, kMaxMaterialBytes + 1);
      if (!bytes) continue;
      if (bytes->size() > kMaxMaterialBytes) {
        why = "larger than " + std::to_string(kMaxMaterialBytes >> 20) + " MB";
      } else {
        texture = DecodeTexture(*bytes, name, scene.palette, why);
      }
    } catch (const CommandError& error) {
      why = error.FullText();
    }
    if (!texture) {
      // Named once, however many material records share the name.
      if (std::find(damaged.begin(), damaged.end(), level::ToUpperAscii(name)) == damaged.end()) {
        damaged.push_back(level::ToUpperAscii(name));
        scene.notices.push_back(Problem(name, why));
      }
      continue;
    }
    scene.materialTexture[static_cast<std::size_t>(i)] = static_cast<int>(scene.textures.size());
    scene.textures.push_back(std::move(*texture));
  }
  return scene;
}

}  // namespace kx::preview3d
