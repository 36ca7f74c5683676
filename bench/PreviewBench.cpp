// Building the 3D preview's scene: the surfaces of a generated level at full table capacity
// (2048 sectors of eight quads, 16384 surfaces), and, when KX_BENCH_LEVEL names a JKL file, of
// that level (its project is the folder above its jkl folder; KX_BENCH_JKDIR may name the
// game's folder): its geometry alone, and the whole build with palette and materials.
//   KX_BENCH_LEVEL=.../thrawn/jkl/test1.jkl build/bin/previewbench
#include "archive/GobWriter.h"
#include "level/JklReader.h"
#include "level/Level.h"
#include "platform/GamePaths.h"
#include "platform/NullUi.h"
#include "preview3d/PreviewSession.h"
#include "preview3d/SceneGeometry.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace {

using namespace kx;
using mapview::EditMode;
namespace fs = std::filesystem;

level::RecordMarks InUse() {
  return level::RecordMarks{0, 0, 1};
}

// 2048 box rooms side by side, each on eight corners (16384 vertices in all): a floor, a
// ceiling, four walls and two diagonal panels, all solid and textured.
std::unique_ptr<level::Level> GeneratedLevel() {
  auto level = std::make_unique<level::Level>();
  level::Level& l = *level;
  l.texturevertices.count = 4;
  l.texturevertices[1] = {64, 0};
  l.texturevertices[2] = {64, 64};
  l.texturevertices[3] = {0, 64};
  l.materials.count = 8;
  // Corners 0-3 on the floor counter-clockwise from above, 4-7 above them.
  const int quads[8][4] = {{0, 1, 2, 3}, {4, 7, 6, 5}, {0, 4, 5, 1}, {1, 5, 6, 2},
                           {2, 6, 7, 3}, {3, 7, 4, 0}, {0, 2, 6, 4}, {1, 3, 7, 5}};
  const level::SurfaceNormal normals[8] = {{0, 0, 1},        {0, 0, -1},     {0, 1, 0},
                                           {-1, 0, 0},       {0, -1, 0},     {1, 0, 0},
                                           {0.7f, -0.7f, 0}, {0.7f, 0.7f, 0}};
  for (int s = 0; s < 2048; ++s) {
    const float x = static_cast<float>(s % 64) * 2;
    const float y = static_cast<float>(s / 64) * 2;
    const int first = l.vertices.count;
    for (int k = 0; k < 8; ++k) {
      const int corner = k % 4;
      l.vertices[l.vertices.count++] = {x + (corner == 1 || corner == 2 ? 1.5f : 0.0f),
                                        y + (corner >= 2 ? 1.5f : 0.0f), k < 4 ? 0.0f : 1.0f,
                                        InUse()};
    }
    level::Sector& sector = l.sectors[l.sectors.count++];
    sector.firstsurface = l.surfaces.count;
    sector.nsurfaces = 8;
    sector.marks = InUse();
    for (int q = 0; q < 8; ++q) {
      level::Surface& surface = l.surfaces[l.surfaces.count];
      surface = level::Surface{};
      surface.nverts = 4;
      for (int j = 0; j < 4; ++j) {
        surface.vertices[static_cast<std::size_t>(j)] = {first + quads[q][j], j};
      }
      surface.intensities = {0.5f, 0.6f, 0.7f, 0.8f};
      surface.adjoin = -1;
      surface.mat = q;
      surface.marks = InUse();
      l.normals[static_cast<std::size_t>(l.surfaces.count)] = normals[q];
      ++l.surfaces.count;
    }
  }
  return level;
}

preview3d::SceneMaterials EightTextures() {
  preview3d::SceneMaterials materials;
  for (int t = 0; t < 9; ++t) {
    materials.textures.push_back({64, 64, std::vector<std::uint8_t>(64 * 64 * 3, 100)});
  }
  materials.materialTexture = {1, 2, 3, 4, 5, 6, 7, 8};
  return materials;
}

void BM_GeometryOfAFullLevel(benchmark::State& state) {
  const auto level = GeneratedLevel();
  const auto materials = EightTextures();
  for (auto _ : state) {
    const auto scene = preview3d::BuildSceneGeometry(*level, EditMode::Surface, materials, nullptr);
    benchmark::DoNotOptimize(scene.indices.data());
  }
  state.counters["surfaces"] = level->surfaces.count;
}

struct GivenLevel {
  std::unique_ptr<level::Level> level;
  resources::ResourcePaths paths;
};

const GivenLevel& TheGivenLevel() {
  static const GivenLevel given = [] {
    GivenLevel g;
    const char* path = std::getenv("KX_BENCH_LEVEL");
    if (!path || !*path) return g;
    g.level = std::make_unique<level::Level>();
    platform::NullUi ui;
    level::ReadLevel(*g.level, path, fs::path(path).filename().string(), ui);
    g.paths.projectDir = fs::absolute(path).parent_path().parent_path();
    if (const char* game = std::getenv("KX_BENCH_JKDIR")) {
      g.paths.res2Path = platform::ResolveIgnoringCase(game, "resource\\res2.gob");
    }
    return g;
  }();
  return given;
}

void BM_GeometryOfTheGivenLevel(benchmark::State& state) {
  const GivenLevel& given = TheGivenLevel();
  if (!given.level) {
    state.SkipWithError("KX_BENCH_LEVEL names no level");
    return;
  }
  preview3d::PreviewSession session;
  session.Start(*given.level, EditMode::Surface, given.paths, nullptr);
  for (auto _ : state) {
    const auto scene = preview3d::BuildSceneGeometry(*given.level, EditMode::Surface,
                                                     session.Scene().materials, nullptr);
    benchmark::DoNotOptimize(scene.indices.data());
  }
  state.counters["surfaces"] = session.Scene().geometry.surfaces;
}

void BM_WholeSceneOfTheGivenLevel(benchmark::State& state) {
  const GivenLevel& given = TheGivenLevel();
  if (!given.level) {
    state.SkipWithError("KX_BENCH_LEVEL names no level");
    return;
  }
  for (auto _ : state) {
    preview3d::PreviewSession session;
    session.Start(*given.level, EditMode::Surface, given.paths, nullptr);
    benchmark::DoNotOptimize(session.Scene().geometry.indices.data());
  }
}

// A game archive the size of the game's own: 4000 entries, 2000 of them 64 x 64 texture
// materials, and a level naming 1000 of those.
struct LargeArchive {
  fs::path root = fs::temp_directory_path() / ("kx-previewbench-" + std::to_string(getpid()));
  std::unique_ptr<level::Level> level = std::make_unique<level::Level>();
  resources::ResourcePaths paths;

  LargeArchive() {
    std::string mat("MAT \x32\0\0\0", 8);
    const auto put = [&](std::int32_t v) {
      for (int i = 0; i < 4; ++i)
        mat += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
    };
    for (const int v : {2, 1, 1, 0, 8}) put(v);
    mat.resize(76, '\0');
    mat += std::string(40, '\0');
    for (const int v : {64, 64, 0, 0, 0, 1}) put(v);
    mat += std::string(64 * 64, '\x11');
    for (int i = 0; i < 4000; ++i) {
      const fs::path file =
          root / "tree" / (i % 2 ? "3do" : "mat") / ("m" + std::to_string(i) + ".mat");
      fs::create_directories(file.parent_path());
      std::ofstream(file, std::ios::binary) << mat;
    }
    paths.res2Path = root / "res2.gob";
    archive::WriteGob(archive::CollectGobFiles(root / "tree"), paths.res2Path);
    paths.projectDir = root / "project";
    fs::create_directories(paths.projectDir);
    for (int i = 0; i < 1000; ++i) {
      level->materials[level->materials.count++] = {"m" + std::to_string(2 * i) + ".mat", 1, 1};
    }
  }
  ~LargeArchive() { fs::remove_all(root); }
};

void BM_MaterialsFromALargeArchive(benchmark::State& state) {
  static const LargeArchive archive;
  for (auto _ : state) {
    // The archive's directory is read once per build, as the preview does.
    std::vector<std::string> notices;
    const preview3d::ResourceIndex index(archive.paths, notices);
    const auto materials = preview3d::LoadSceneMaterials(*archive.level, index, nullptr);
    if (materials.textures.size() != 1001) state.SkipWithError("materials not found");
  }
}

constexpr int kRepetitions = 7;

BENCHMARK(BM_GeometryOfAFullLevel)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeometryOfTheGivenLevel)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaterialsFromALargeArchive)
    ->Repetitions(kRepetitions)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeSceneOfTheGivenLevel)
    ->Repetitions(kRepetitions)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
