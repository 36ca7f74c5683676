// Extracting and packing a project-sized tree against `cp -r` of the same tree, in one run.
// The tree (about 200 MB of small scripts, mid-sized materials and a few large files) is made
// under the system's temporary folder and removed at the end.
#include "archive/GobWriter.h"
#include "archive/Ungob.h"
#include "platform/NullUi.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class QuietUi : public kx::platform::NullUi {
 public:
  void ShowMessage(kx::platform::BoxKind, const std::string& text) override {
    std::cerr << text << '\n';
  }
};

struct Workspace {
  fs::path root;
  fs::path tree;
  fs::path archive;
  std::uint64_t bytes = 0;
  int files = 0;
};

Workspace& Shared() {
  static Workspace workspace;
  return workspace;
}

void MakeTree(Workspace& w, std::uint64_t targetBytes) {
  std::mt19937_64 random(631);
  const char* folders[] = {"cog", "mat", "3do", "3do\\mat", "jkl", "misc", "sound", "misc\\cmp"};
  std::vector<char> data(8 << 20);
  for (auto& c : data) c = static_cast<char>(random());
  while (w.bytes < targetBytes) {
    const auto pick = random() % 100;
    std::uint64_t size;
    if (pick < 70) {
      size = random() % (16 << 10);  // scripts, small materials
    } else if (pick < 95) {
      size = (16 << 10) + random() % (496 << 10);  // materials, models
    } else {
      size = (1 << 20) + random() % (7 << 20);  // sounds, large levels
    }
    std::string folder = folders[random() % std::size(folders)];
    for (char& c : folder) c = c == '\\' ? '/' : c;
    const fs::path path = w.tree / folder / ("file" + std::to_string(w.files) + ".dat");
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(data.data() + random() % (data.size() - size), static_cast<std::streamsize>(size));
    w.bytes += size;
    ++w.files;
  }
}

void Remove(const fs::path& path) {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

void BM_CpR(benchmark::State& state) {
  auto& w = Shared();
  const fs::path target = w.root / "copy";
  const std::string command = "cp -r '" + w.tree.string() + "' '" + target.string() + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp -r failed");
    state.PauseTiming();
    Remove(target);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes));
}

void BM_Pack(benchmark::State& state) {
  auto& w = Shared();
  const fs::path target = w.root / "packed.gob";
  for (auto _ : state) {
    kx::archive::WriteGob(kx::archive::CollectGobFiles(w.tree), target);
    state.PauseTiming();
    Remove(target);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes));
}

void BM_Extract(benchmark::State& state) {
  auto& w = Shared();
  const fs::path target = w.root / "extracted";
  QuietUi ui;
  for (auto _ : state) {
    if (!kx::archive::Ungob(w.archive.string(), target, ui)) state.SkipWithError("no archive");
    state.PauseTiming();
    Remove(target);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes));
}

constexpr int kRepetitions = 7;

BENCHMARK(BM_CpR)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pack)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Extract)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  auto& w = Shared();
  w.root = fs::temp_directory_path() / ("kx-gobbench-" + std::to_string(getpid()));
  w.tree = w.root / "tree";
  w.archive = w.root / "tree.gob";
  MakeTree(w, 200ull << 20);
  kx::archive::WriteGob(kx::archive::CollectGobFiles(w.tree), w.archive);
  std::cerr << "tree: " << w.files << " files, " << (w.bytes >> 20) << " MB in " << w.tree << '\n';
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Remove(w.root);
  return 0;
}
