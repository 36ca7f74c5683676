// The history of changes on a level at the tables' full capacity: what 1,000 steps hold in
// memory (the history's own count, HeldMB, and what the allocator handed out, MallocMB) and
// how long a step takes to make, undo and redo.
//   build/bin/historybench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "FullCapacityLevel.h"

#include "editing/EditHistory.h"
#include "editing/LevelChange.h"

#include <benchmark/benchmark.h>
#include <functional>
#include <malloc.h>
#include <memory>

namespace {

using namespace kx;
using editing::LevelChange;

constexpr int kSteps = 1000;
constexpr double kMegabyte = 1024.0 * 1024.0;

/// One step of a kind the editor's commands make; i numbers the step from 1.
using Step = std::function<void(LevelChange&, int i)>;

/// The kinds of change, each on one record: a surface's light, flags and material, a sector's
/// tint, a thing's position, the header, a copyright line, the episode title.
const Step kMixed[] = {
    [](LevelChange& c, int i) { c.Surface(i).light = i; },
    [](LevelChange& c, int i) { c.Surface(i).surfflags = static_cast<std::uint32_t>(i); },
    [](LevelChange& c, int i) { c.Surface(i).mat = (i + 1) % 1024; },
    [](LevelChange& c, int i) {
      c.Sector(i).tint = {0.5f, 0.5f, i * 0.001f};
    },
    [](LevelChange& c, int i) { c.Thing(i).x = static_cast<float>(i); },
    [](LevelChange& c, int i) { c.Header().worldGravity = static_cast<float>(i); },
    [](LevelChange& c, int i) {
      c.Copyright().items[static_cast<std::size_t>(i % 64)] = "(c) " + std::to_string(i);
    },
    [](LevelChange& c, int i) { c.Episode().title = "Episode " + std::to_string(i); },
};

/// "Change Light" on a selection of `surfaces` surfaces at once.
Step LightOn(int surfaces) {
  return [surfaces](LevelChange& c, int i) {
    for (int s = 0; s < surfaces; ++s) c.Surface((i * surfaces + s) % 16384).light = i;
  };
}

void Measure(benchmark::State& state, const std::function<const Step&(int)>& stepOf) {
  const auto level = bench::FullCapacityLevel();
  double held = 0, allocated = 0;
  for (auto _ : state) {
    editing::EditHistory history;
    const auto before = mallinfo2().uordblks;
    for (int i = 1; i <= kSteps; ++i) {
      LevelChange change(*level, history, "Change Light");
      stepOf(i)(change, i);
      change.Commit();
    }
    held = static_cast<double>(history.HeldBytes()) / kMegabyte;
    allocated = static_cast<double>(mallinfo2().uordblks - before) / kMegabyte;
    // Undo and redo every step: the time of a round trip through the history.
    for (int i = 0; i < kSteps; ++i) history.Undo(*level);
    for (int i = 0; i < kSteps; ++i) history.Redo(*level);
    // Back to the level as it was, so that the next round's steps change it again.
    for (int i = 0; i < kSteps; ++i) history.Undo(*level);
    benchmark::DoNotOptimize(level->surfaces[1].light);
  }
  state.counters["HeldMB"] = held;
  state.counters["MallocMB"] = allocated;
}

void ThousandMixedSteps(benchmark::State& state) {
  Measure(state, [](int i) -> const Step& { return kMixed[i % std::size(kMixed)]; });
}

void ThousandLightSteps(benchmark::State& state) {
  const Step step = LightOn(static_cast<int>(state.range(0)));
  Measure(state, [&](int) -> const Step& { return step; });
}

BENCHMARK(ThousandMixedSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(ThousandLightSteps)->Arg(1)->Arg(8)->Arg(64)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
