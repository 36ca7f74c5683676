// Reading and writing a level at the tables' full capacity.
//   build/bin/levelbench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
// The level file is left in /tmp/kelvarix-bench/full.jkl for comparison with `wc -l`.
#include "FullCapacityLevel.h"

#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "platform/FileIo.h"
#include "platform/NullUi.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>

namespace {

using namespace kx::level;
using kx::bench::FullCapacityLevel;

const std::filesystem::path& BenchDir() {
  static const std::filesystem::path dir = [] {
    auto path = std::filesystem::temp_directory_path() / "kelvarix-bench";
    std::filesystem::create_directories(path / "jkl");
    return path;
  }();
  return dir;
}

/// The full level written once to BenchDir()/full.jkl; returns its bytes.
const std::string& FullLevelText() {
  static const std::string text = [] {
    const auto path = BenchDir() / "full.jkl";
    std::string bytes =
        FormatLevel(*FullCapacityLevel(), kx::platform::DisplayPath(path), "2000-01-01 00:00");
    kx::platform::WriteFileAtomically(path, bytes);
    return bytes;
  }();
  return text;
}

void ReadLevelFromFile(benchmark::State& state) {
  const std::string& text = FullLevelText();
  kx::platform::NullUi ui;
  auto level = std::make_unique<Level>();
  for (auto _ : state) {
    ReadLevel(*level, BenchDir() / "full.jkl", "full.jkl", ui);
    benchmark::DoNotOptimize(level->surfaces.count);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void ParseLevelInMemory(benchmark::State& state) {
  const std::string& text = FullLevelText();
  kx::platform::NullUi ui;
  auto level = std::make_unique<Level>();
  for (auto _ : state) {
    ParseLevel(text, "full.jkl", "full.jkl", *level, ui);
    benchmark::DoNotOptimize(level->surfaces.count);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void FormatLevelText(benchmark::State& state) {
  const auto level = FullCapacityLevel();
  std::size_t size = 0;
  for (auto _ : state) {
    const std::string text = FormatLevel(*level, "full.jkl", "2000-01-01 00:00");
    size = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void SaveLevelToFile(benchmark::State& state) {
  const auto level = FullCapacityLevel();
  kx::platform::NullUi ui;
  for (auto _ : state) SaveLevel(*level, BenchDir(), "saved.jkl", ui);
}

BENCHMARK(ReadLevelFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseLevelInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(FormatLevelText)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveLevelToFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
