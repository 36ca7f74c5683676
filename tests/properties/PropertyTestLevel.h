#pragma once

#include "support/MapTestLevel.h"

#include "level/Level.h"
#include "mapview/EditMode.h"

#include <cstdint>
#include <initializer_list>
#include <memory>

namespace kx::test {

/// The level of the property panel's tests, in the Top view at z 0: surfaces 0 to 3 the squares
/// (1,1)-(3,3), (4,1)-(5,2), (6,1)-(7,2) and (8,1)-(9,2); sector 0 holds surfaces 0 and 1,
/// sector 1 surface 2, sector 2 surface 3; two adjoins; materials floor.mat and Wall.mat, colormap
/// dflt.cmp; things 0 and 1 are crates (whose template names a model), thing 2's template is not
/// listed. Surface 0 and sector 0 hold flag words above 0xFFFF.
inline std::unique_ptr<level::Level> PropertyTestLevel() {
  MapTestLevel built;
  level::Level& l = built.level();
  l.header.version = 1;
  l.materials.count = 2;
  l.materials[0] = {"floor.mat", 1.0f, 1.0f};
  l.materials[1] = {"Wall.mat", 2.0f, 2.0f};
  l.colormaps.count = 1;
  l.colormaps[0] = "dflt.cmp";
  l.adjoins.count = 2;
  l.adjoins[0] = {0x7, 1, 0};
  l.adjoins[1] = {0x7, 0, 0};

  built.Square(1, 1, 3, 3);
  built.Square(4, 1, 5, 2);
  built.Square(6, 1, 7, 2);
  built.Square(8, 1, 9, 2);
  struct SurfaceValues {
    std::int32_t mat;
    std::uint32_t surfflags, faceflags;
    std::int32_t geo, light, tex, adjoin;
    float extralight;
  };
  const SurfaceValues shape[] = {
      {1, 0x12345, 0x4, 4, 3, 1, -1, 0.25f},
      {0, 0x5, 0x0, 4, 2, 0, 0, 1.5f},
      {0, 0x10000, 0x8000, 0, 0, 0, 1, 0.0f},
  };
  for (int s = 0; s < 3; ++s) {
    level::Surface& surface = l.surfaces[s];
    const SurfaceValues& values = shape[s];
    surface.mat = values.mat;
    surface.surfflags = values.surfflags;
    surface.faceflags = values.faceflags;
    surface.geo = values.geo;
    surface.light = values.light;
    surface.tex = values.tex;
    surface.adjoin = values.adjoin;
    surface.extralight = values.extralight;
  }

  built.Sector(0, 2);
  built.Sector(2, 1);
  built.Sector(3, 1);
  level::Sector& s0 = l.sectors[0];
  s0.flags = 0x10004;
  s0.ambientlight = 0.5f;
  s0.extralight = 0.1f;
  s0.tint = {0.5f, 1.0f, 0.25f};
  s0.hassound = 1;
  s0.sound = "amb.wav";
  s0.soundvolume = 1.0f;
  s0.center = {2.0f, 2.0f, 0.5f};
  s0.radius = 1.5f;
  level::Sector& s1 = l.sectors[1];
  s1.flags = 0x2;
  s1.tint = {1.5f, -0.2f, 0.0f};

  built.Model("crate.3do", 0.5f);
  built.Template("crate", "type=cog model3d=crate.3do");
  built.Thing("crate", 6, 3);
  built.Thing("crate", 8, 3, 1);
  built.Thing("ghost", 9, 9);
  const char* const names[] = {"Crate", "Crate2", "Ghost"};
  for (int t = 0; t < 3; ++t) l.things[t].name = names[t];
  l.things[1].sector = 1;
  l.things[1].pitch = 10;
  l.things[1].yaw = -90;
  l.things[1].roll = 0.5f;
  l.things[1].params = "thingflags=0x400";

  auto level = std::make_unique<level::Level>();
  *level = built.level();
  return level;
}

/// level with every record unselected: what a change of values is compared on.
inline level::Level Unselected(level::Level level) {
  const auto clear = [](auto& table) {
    for (int i = 0; i < table.Used(); ++i) table[i].marks.selected = 0;
  };
  clear(level.vertices);
  clear(level.surfaces);
  clear(level.sectors);
  clear(level.things);
  return level;
}

/// Selects exactly the records indices of a marked table (every other record unselected).
template <typename T>
void SelectOnly(level::Table<T>& table, std::initializer_list<int> indices) {
  for (int i = 0; i < table.Used(); ++i) table[i].marks.selected = 0;
  for (const int i : indices) table[i].marks.selected = 1;
}

/// Selects exactly the records indices of mode's table.
inline void SelectOnly(level::Level& level, mapview::EditMode mode,
                       std::initializer_list<int> indices) {
  switch (mode) {
    case mapview::EditMode::Vertex:
      return SelectOnly(level.vertices, indices);
    case mapview::EditMode::Surface:
      return SelectOnly(level.surfaces, indices);
    case mapview::EditMode::Sector:
      return SelectOnly(level.sectors, indices);
    case mapview::EditMode::Thing:
      return SelectOnly(level.things, indices);
  }
}

}  // namespace kx::test
