#pragma once

#include "support/MapTestLevel.h"

#include "level/Level.h"
#include "resources/Colormap.h"
#include "resources/MatBuilder.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace kx::preview3d::test {

/// The six faces of the box room, in the order of its materials c0.mat .. c5.mat.
enum class Face { West, East, South, North, Floor, Ceiling };

/// The colour each face of the box room is drawn in (its material's palette colour).
inline resources::Rgb FaceColour(Face face) {
  static const resources::Rgb colours[] = {{230, 20, 20},  {20, 200, 20},  {20, 20, 230},
                                           {230, 230, 20}, {230, 20, 230}, {20, 230, 230}};
  return colours[static_cast<int>(face)];
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

/// A closed room x 0..2, y 0..8, z 0..2 whose six walls face inwards, each a colour material
/// of its own at full light, some listed clockwise and some counter-clockwise seen from the
/// room (their normals say which side is the front). Thing 0 is a crate outside, thing 1 a
/// walkplayer at (1, 1, 1). Writes the materials (mat\c0.mat ...) and the colormap
/// misc\cmp\box.cmp under projectDir.
inline std::unique_ptr<level::Level> BoxRoom(const std::filesystem::path& projectDir) {
  constexpr int kFirstColour = 10;
  std::string colormap(64, '\0');
  for (int i = 0; i < 256; ++i) {
    resources::Rgb c{90, 90, 90};
    if (i >= kFirstColour && i < kFirstColour + 6) {
      c = FaceColour(static_cast<Face>(i - kFirstColour));
    }
    colormap += {static_cast<char>(c.red), static_cast<char>(c.green), static_cast<char>(c.blue)};
  }
  WriteFile(projectDir / "misc" / "cmp" / "box.cmp", colormap);

  kx::test::MapTestLevel builder;
  level::Level& level = builder.level();
  level.colormaps[level.colormaps.count++] = "box.cmp";
  level.texturevertices.count = 1;
  int v[8];
  for (int i = 0; i < 8; ++i) {
    v[i] = builder.Vertex(i & 1 ? 2.0f : 0.0f, i & 2 ? 8.0f : 0.0f, i & 4 ? 2.0f : 0.0f);
  }
  // Corners of each face (bit 0 x, bit 1 y, bit 2 z) and its inward normal. Seen from inside the
  // room the east wall and the ceiling run clockwise, the others counter-clockwise.
  const struct {
    int corners[4];
    level::SurfaceNormal normal;
  } faces[] = {
      {{v[0], v[2], v[6], v[4]}, {1, 0, 0}}, {{v[1], v[3], v[7], v[5]}, {-1, 0, 0}},
      {{v[0], v[4], v[5], v[1]}, {0, 1, 0}}, {{v[2], v[3], v[7], v[6]}, {0, -1, 0}},
      {{v[0], v[1], v[3], v[2]}, {0, 0, 1}}, {{v[4], v[5], v[7], v[6]}, {0, 0, -1}},
  };
  for (int f = 0; f < 6; ++f) {
    const std::string name = "c" + std::to_string(f) + ".mat";
    WriteFile(projectDir / "mat" / name,
              kx::test::MatBuilder::Colour()
                  .ColourCel(static_cast<std::uint32_t>(kFirstColour + f))
                  .Bytes());
    level.materials[level.materials.count++] = {name, 1, 1};
    const auto& face = faces[f];
    const int k =
        builder.Surface({face.corners[0], face.corners[1], face.corners[2], face.corners[3]});
    level.surfaces[k].adjoin = -1;
    level.surfaces[k].mat = f;
    level.surfaces[k].intensities = {1, 1, 1, 1};
    level.normals[static_cast<std::size_t>(k)] = face.normal;
  }
  builder.Sector(0, 6);
  builder.Thing("crate", 5, 5, 5);
  builder.Thing("walkplayer", 1, 1, 1);
  auto out = std::make_unique<level::Level>();
  *out = level;
  return out;
}

}  // namespace kx::preview3d::test
