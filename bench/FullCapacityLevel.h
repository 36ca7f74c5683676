#pragma once

// A level with every table filled to its capacity, with values of the kind real levels hold;
// the benchmarks of reading, writing and changing a level share it.
#include "level/Level.h"

#include <memory>
#include <random>
#include <string>

namespace kx::bench {

using namespace kx::level;

inline float Coordinate(std::mt19937& random) {
  return std::uniform_real_distribution<float>(-500, 500)(random);
}

inline std::string Name(const char* prefix, int i, const char* extension) {
  return prefix + std::to_string(i) + extension;
}

/// Every table filled to its capacity with values of the kind real levels hold.
inline std::unique_ptr<Level> FullCapacityLevel() {
  std::mt19937 random(631);
  auto level = std::make_unique<Level>();
  Level& l = *level;
  const auto fill = [](auto& table, auto make) {
    table.count = table.Capacity();
    for (int i = 0; i < table.count; ++i) table[i] = make(i);
  };
  fill(l.copyright, [](int) { return std::string("@@@@@@@@.........@@@@@@@@........"); });
  l.header = {1, 4, 15, 100, 768, {0, 0}, {0, 0}, {1, 2, 3, 4}, {0.3f, 0.6f, 0.9f, 1.2f}, 2, 2};
  fill(l.sounds, [](int i) { return Name("sound", i, ".wav"); });
  fill(l.materials, [](int i) { return Material{Name("mat", i, ".mat"), 1, 1}; });
  fill(l.colormaps, [](int i) { return Name("cmp", i, ".cmp"); });
  fill(l.vertices, [&](int) {
    return Vertex{Coordinate(random), Coordinate(random), Coordinate(random), {0, 0, 1}};
  });
  fill(l.texturevertices, [&](int) {
    return TextureVertex{Coordinate(random) * 4, Coordinate(random) * 4};
  });
  fill(l.adjoins, [](int i) { return Adjoin{7, i ^ 1, 0.25f}; });
  fill(l.surfaces, [&](int i) {
    Surface s;
    s.mat = i % 1024;
    s.surfflags = 4;
    s.faceflags = 4;
    s.geo = 4;
    s.light = 3;
    s.tex = 1;
    s.adjoin = i % 4 == 0 ? i / 4 % 4096 : -1;
    s.extralight = 0;
    s.nverts = 4;
    for (int c = 0; c < 4; ++c) {
      s.vertices[c] = {(i + c) % 16384, (i * 4 + c) % 65536};
      s.intensities[c] = std::uniform_real_distribution<float>(0, 2)(random);
    }
    s.marks = {0, 0, 1};
    return s;
  });
  for (int i = 0; i < l.surfaces.count; ++i) {
    l.normals[static_cast<std::size_t>(i)] = {0, 0, i % 2 == 0 ? 1.0f : -1.0f};
  }
  fill(l.sectors, [&](int i) {
    Sector s;
    s.flags = 0x1000;
    s.ambientlight = 9.5f;
    s.tint = {0.1f, 0.2f, 0.3f};
    s.boundbox = {-1, -1, 0, 1, 1, 1};
    s.collidebox = {-0.9f, -0.9f, 0.1f, 0.9f, 0.9f, 0.9f};
    s.hassound = i % 3 == 0 ? 1 : 0;
    s.sound = "wind.wav";
    s.soundvolume = 0.8f;
    s.center = {Coordinate(random), Coordinate(random), Coordinate(random)};
    s.radius = 2.5f;
    s.nverts = 8;
    for (int v = 0; v < 8; ++v) s.vertexindices.push_back((i * 8 + v) % 16384);
    s.firstsurface = i * 8;
    s.nsurfaces = 8;
    s.marks = {0, 0, 1};
    return s;
  });
  for (auto* table :
       {&l.aiclasses, &l.sprites, &l.keyframes, &l.puppets, &l.soundclasses, &l.cogscripts}) {
    fill(*table, [](int i) { return Name("name", i, ".res"); });
  }
  fill(l.models, [](int i) { return Model{Name("model", i, ".3do"), 0}; });
  fill(l.cogs, [](int i) {
    return Cog{Name("script", i % 256, ".cog"),
               {{CogParamKind::Integer, i, 0, ""},
                {CogParamKind::Float, 0, 0.5f, ""},
                {CogParamKind::Text, 0, 0, "door.mat"}}};
  });
  fill(l.templates, [](int i) {
    return Template{Name("_tpl", i, ""), "none",
                    "type=actor collide=1 move=physics thingflags=0x20000000 mass=150.000000", -1};
  });
  fill(l.things, [&](int i) {
    return Thing{Name("_tpl", i % 512, ""),
                 Name("thing", i, ""),
                 Coordinate(random),
                 Coordinate(random),
                 Coordinate(random),
                 0,
                 90,
                 0,
                 i % 2048,
                 "thingflags=0x400 numframes=2",
                 {0, 0, 1}};
  });
  return level;
}

}  // namespace kx::bench
