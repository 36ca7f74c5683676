// Game resources at the sizes the editor meets: materials, model radii, the template tree.
#include "level/Level.h"
#include "platform/NullUi.h"
#include "resources/CelImage.h"
#include "resources/MatFile.h"
#include "resources/ModelRadii.h"
#include "resources/ModelRadius.h"
#include "resources/TemplateTree.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace kx;

void Put(std::string& out, std::int32_t value) {
  for (int i = 0; i < 4; ++i)
    out += static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
}

// A texture material of cels x side x side with four mip-map levels.
std::string TextureMat(int cels, int side) {
  std::string out("MAT \x32\0\0\0", 8);
  Put(out, 2);
  Put(out, cels);
  Put(out, cels);
  Put(out, 0);
  Put(out, 8);
  out.resize(76, '\0');
  for (int i = 0; i < cels; ++i) out += std::string(40, '\0');
  for (int i = 0; i < cels; ++i) {
    Put(out, side);
    Put(out, side);
    out += std::string(12, '\0');
    Put(out, 4);
    for (int k = 0; k < 4; ++k) {
      const auto n = static_cast<std::size_t>(side >> k) * static_cast<std::size_t>(side >> k);
      for (std::size_t p = 0; p < n; ++p)
        out += static_cast<char>((p * 7 + static_cast<std::size_t>(i)) & 0xFF);
    }
  }
  return out;
}

std::string ModelText(int meshes) {
  std::string text =
      "SECTION: MODELRESOURCE\r\nMATERIALS 3\r\n 0: a.mat\r\n 1: b.mat\r\n 2: c.mat\r\n"
      "SECTION: GEOMETRYDEF\r\nRADIUS 0.173779\r\nGEOSETS 1\r\nGEOSET 0\r\n";
  for (int m = 0; m < meshes; ++m) {
    text += "MESH " + std::to_string(m) + "\r\nNAME part\r\nRADIUS 0.08\r\nVERTICES 40\r\n";
    for (int v = 0; v < 40; ++v)
      text += "  " + std::to_string(v) + ":  0.010000  -0.020000  0.030000  0.0\r\n";
  }
  return text;
}


void BM_DecodeMat(benchmark::State& state) {
  const std::string bytes = TextureMat(8, static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(resources::DecodeMat(bytes, "mat\\bench.mat"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeMat)->Arg(64)->Arg(256);

void BM_DrawCel(benchmark::State& state) {
  const auto mat = resources::DecodeMat(TextureMat(1, 256), "mat\\bench.mat");
  resources::Palette palette{};
  for (auto _ : state) benchmark::DoNotOptimize(resources::DrawCel(*mat, 0, palette));
  state.SetItemsProcessed(state.iterations() * 256 * 256);
}
BENCHMARK(BM_DrawCel);

void BM_Read3DORadius(benchmark::State& state) {
  const std::string text = ModelText(30);
  for (auto _ : state) {
    resources::StringLineSource lines(text);
    benchmark::DoNotOptimize(resources::Read3DORadius(lines));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Read3DORadius);

// A full model table looked up in a res2.gob of 5000 entries, as on opening a project.
void BM_Parse3DOs(benchmark::State& state) {
  const fs::path dir = fs::temp_directory_path() / ("kx-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path res2 = dir / "res2.gob";
  const int entries = 5000;
  const std::string model = ModelText(10);
  {
    std::string directory;
    std::string data;
    const std::int32_t dataStart = 12 + 4 + entries * 136;
    Put(directory, entries);
    for (int i = 0; i < entries; ++i) {
      Put(directory, dataStart + static_cast<std::int32_t>(data.size()));
      Put(directory, static_cast<std::int32_t>(model.size()));
      std::string name = "3do\\m" + std::to_string(i) + ".3do";
      name.resize(128, '\0');
      directory += name;
      data += model;
    }
    std::string head("GOB \x14\0\0\0", 8);
    Put(head, 12);
    std::ofstream(res2, std::ios::binary) << head << directory << data;
  }
  auto level = std::make_unique<level::Level>();
  for (int i = 0; i < level->models.Capacity(); ++i) {
    level->models[i].name = "m" + std::to_string(entries - 1 - i * 19) + ".3do";
  }
  level->models.count = level->models.Capacity();
  platform::NullUi ui;
  for (auto _ : state) resources::Parse3DOs(*level, dir / "project", res2, ui);
  state.SetItemsProcessed(state.iterations() * level->models.count);
  fs::remove_all(dir);
}
BENCHMARK(BM_Parse3DOs)->Unit(benchmark::kMillisecond);

// A full template table: a few roots with wide, deep families, defined children first.
void BM_BuildTemplateTree(benchmark::State& state) {
  auto level = std::make_unique<level::Level>();
  const int n = level->templates.Capacity();
  for (int i = 0; i < n; ++i) {
    const int j = n - 1 - i;  // parents come later in the table
    level->templates[i].name = "t" + std::to_string(j);
    level->templates[i].basedon = j < 8 ? "none" : "t" + std::to_string(j / 3);
  }
  level->templates.count = n;
  for (auto _ : state) benchmark::DoNotOptimize(resources::BuildTemplateTree(*level));
}
BENCHMARK(BM_BuildTemplateTree)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
