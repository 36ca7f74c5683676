// What the editor window adds to its commands: reading a level of 16129 surfaces with the
// progress window shown (against a Ui that shows nothing), and the map redraw that follows a
// resize of the window, through the Editor as the window runs it. The level is written to
// /tmp/kelvarix-bench/grid.jkl.
//   build/bin/shellbench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
// Unless QT_QPA_PLATFORM says otherwise it runs on Qt's offscreen platform.
#include "editing/Editor.h"
#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "platform/FileIo.h"
#include "platform/NullUi.h"
#include "shell/QtUi.h"

#include <QApplication>
#include <QMainWindow>

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

const fs::path kLevelFile = "/tmp/kelvarix-bench/grid.jkl";

// 127 x 127 squares of one world unit sharing their corners (the vertex table full), one
// sector per row.
void WriteGridLevel() {
  auto level = std::make_unique<kx::level::Level>();
  constexpr int kCorners = 128;
  auto& vertices = level->vertices;
  for (int j = 0; j < kCorners; ++j) {
    for (int i = 0; i < kCorners; ++i) {
      auto& v = vertices[vertices.count++];
      v.x = static_cast<float>(i);
      v.y = static_cast<float>(j);
    }
  }
  auto& surfaces = level->surfaces;
  for (int row = 0; row + 1 < kCorners; ++row) {
    auto& sector = level->sectors[level->sectors.count++];
    sector.firstsurface = surfaces.count;
    sector.nsurfaces = kCorners - 1;
    for (int column = 0; column + 1 < kCorners; ++column) {
      auto& surface = surfaces[surfaces.count++];
      surface.nverts = 4;
      const int corner = row * kCorners + column;
      const int ring[4] = {corner, corner + 1, corner + kCorners + 1, corner + kCorners};
      for (int k = 0; k < 4; ++k) surface.vertices[static_cast<std::size_t>(k)].vertex = ring[k];
    }
  }
  fs::create_directories(kLevelFile.parent_path());
  kx::platform::WriteFileAtomically(
      kLevelFile, kx::level::FormatLevel(*level, "jkl\\grid.jkl", "2000-01-01 00:00"));
}


// The window as far as the Editor needs one to redraw.
class PaintingWindow : public kx::editing::EditorWindow {
 public:
  kx::editing::Editor* editor = nullptr;
  void RedrawMap() override { editor->PaintMap(); }
  void DrawSelected() override { editor->PaintSelected(); }
  void ShowSelectionCount(int) override {}
  void UpdatePropertyPanel() override {}
  void BeforeProjectLoad() override {}
  void ProjectOpened() override {}
  void ShowView(kx::mapview::View) override {}
  void ShowEditMode(kx::mapview::EditMode) override {}
  void FocusKeyboardSink() override {}
  void EnableProjectCommands() override {}
};

void ReadLevelWith(benchmark::State& state, kx::platform::Ui& ui) {
  auto level = std::make_unique<kx::level::Level>();
  for (auto _ : state) {
    kx::level::ReadLevel(*level, kLevelFile, "grid.jkl", ui);
    benchmark::DoNotOptimize(level->surfaces.count);
  }
}

void BM_ReadGridLevelWithoutWindow(benchmark::State& state) {
  kx::platform::NullUi ui;
  ReadLevelWith(state, ui);
}
BENCHMARK(BM_ReadGridLevelWithoutWindow)->Unit(benchmark::kMillisecond);

void BM_ReadGridLevelWithProgressWindow(benchmark::State& state) {
  QMainWindow main;
  kx::shell::QtUi ui(&main);
  ReadLevelWith(state, ui);
}
BENCHMARK(BM_ReadGridLevelWithProgressWindow)->Unit(benchmark::kMillisecond);

// A resize to width x 600 and the redraw in Surface mode with the whole level on the map.
void BM_ResizeAndRedrawGridLevel(benchmark::State& state) {
  kx::platform::NullUi ui;
  PaintingWindow window;
  kx::editing::Editor editor(ui, window);
  window.editor = &editor;
  kx::level::ReadLevel(editor.Level(), kLevelFile, "grid.jkl", ui);
  editor.ResizeMap({static_cast<int>(state.range(0)), 600});
  editor.ZoomToFit();
  int width = static_cast<int>(state.range(0));
  for (auto _ : state) {
    width = width == state.range(0) ? width - 1 : width + 1;  // a new size every time
    editor.ResizeMap({width, 600});
    editor.PaintMap();
  }
  state.counters["surfaces"] = editor.Level().surfaces.count;
}
BENCHMARK(BM_ResizeAndRedrawGridLevel)->Arg(800)->Arg(1920)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  WriteGridLevel();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
