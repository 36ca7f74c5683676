// The map's redraws and picks on a generated level at full table capacity: 2048 sectors in a
// 64 x 32 grid, each with two floor and two ceiling quads and four walls (16384 surfaces of four
// corners), and 1024 things, all on a 1600 x 1200 map. QPainter drawing the same edges one
// line each is the floor the redraw is compared with. The redraw with the grid on, and a move of
// every vertex with what follows it, are measured on the same level.
#include "editing/EditHistory.h"
#include "editing/Picking.h"
#include "editing/RecordMove.h"
#include "platform/NullUi.h"
#include "editing/SurfaceSectorIndex.h"
#include "level/Level.h"
#include "mapview/LevelGeometry.h"
#include "mapview/MapDrawing.h"
#include "mapview/MapGrid.h"
#include "mapview/PixelCanvas.h"
#include "mapview/QtCanvas.h"
#include "mapview/ZoomToFit.h"

#include <QImage>
#include <QLine>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <vector>

namespace {

using namespace kx;
using mapview::EditMode;

constexpr mapview::PanelSize kPanel{1600, 1200};
constexpr int kColumns = 64;  // sectors across
constexpr int kRows = 32;     // sectors up


// The picks alone: the repaints they ask for are measured by the redraw benchmarks.
class NullHost : public editing::SelectionHost {
 public:
  void RedrawMap() override {}
  void DrawSelected() override {}
  void ShowSelectionCount(int) override {}
  void UpdatePropertyPanel() override {}
};

level::RecordMarks InUse() {
  level::RecordMarks marks;
  marks.empty = 0;
  return marks;
}

struct Scene {
  std::unique_ptr<level::Level> level = std::make_unique<level::Level>();
  mapview::MapView view;
  std::unique_ptr<editing::SurfaceSectorIndex> index;
  platform::NullUi ui;
  NullHost host;

  Scene() {
    level::Level& l = *level;
    // Vertices on a lattice of half sectors, at the floor (z 0) and the ceiling (z 1).
    const int across = 2 * kColumns + 1;
    const int up = kRows + 1;
    const auto vertexAt = [&](int i, int j, int k) { return (k * up + j) * across + i; };
    for (int k = 0; k < 2; ++k) {
      for (int j = 0; j < up; ++j) {
        for (int i = 0; i < across; ++i) {
          level::Vertex& v = l.vertices[l.vertices.count++];
          v = {i * 0.75f, j * 1.0f, k * 1.0f, InUse()};
        }
      }
    }
    const auto quad = [&](int a, int b, int c, int d) {
      level::Surface& s = l.surfaces[l.surfaces.count++];
      s = level::Surface{};
      s.nverts = 4;
      s.vertices[0].vertex = a, s.vertices[1].vertex = b;
      s.vertices[2].vertex = c, s.vertices[3].vertex = d;
      s.marks = InUse();
    };
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kColumns; ++c) {
        level::Sector& sector = l.sectors[l.sectors.count++];
        sector.firstsurface = l.surfaces.count;
        sector.nsurfaces = 8;
        sector.marks = InUse();
        const int x0 = 2 * c, x1 = 2 * c + 1, x2 = 2 * c + 2;
        for (int k = 0; k < 2; ++k) {  // floor, then ceiling, each in two halves
          quad(vertexAt(x0, r, k), vertexAt(x1, r, k), vertexAt(x1, r + 1, k),
               vertexAt(x0, r + 1, k));
          quad(vertexAt(x1, r, k), vertexAt(x2, r, k), vertexAt(x2, r + 1, k),
               vertexAt(x1, r + 1, k));
        }
        const auto wall = [&](int ia, int ja, int ib, int jb) {
          quad(vertexAt(ia, ja, 0), vertexAt(ib, jb, 0), vertexAt(ib, jb, 1), vertexAt(ia, ja, 1));
        };
        wall(x0, r, x2, r);
        wall(x2, r, x2, r + 1);
        wall(x2, r + 1, x0, r + 1);
        wall(x0, r + 1, x0, r);
      }
    }
    const char* models[] = {"crate.3do", "barrel.3do", "ky.3do", "light.3do"};
    const float radii[] = {0.3f, 0.15f, 0.06f, 0.5f};
    for (int m = 0; m < 4; ++m) {
      l.models[l.models.count++] = {models[m], radii[m]};
      l.templates[l.templates.count++] = {std::string("t") + std::to_string(m), "none",
                                          std::string("model3d=") + models[m] + " size=0.1", -1};
    }
    l.templates[l.templates.count++] = {"ghost", "none", "thingflags=0x1", -1};
    std::mt19937 random(1);
    std::uniform_real_distribution<float> x(0, 2 * kColumns * 0.75f), y(0, kRows * 1.0f);
    for (int t = 0; t < level::capacity::kThings; ++t) {
      level::Thing& thing = l.things[l.things.count++];
      thing.templateName = t % 5 == 4 ? "ghost" : "T" + std::to_string(t % 5);
      thing.x = x(random), thing.y = y(random), thing.z = 0.5f;
      thing.marks = InUse();
    }
    mapview::ZoomToFit(view, l, kPanel);
    index = std::make_unique<editing::SurfaceSectorIndex>(l);
  }

  // Every n-th record of each table selected; 0 selects none.
  void SelectEvery(int n) {
    level::Level& l = *level;
    const auto mark = [n](auto& table) {
      for (int i = 0; i < table.Used(); ++i) table[i].marks.selected = n > 0 && i % n == 0;
    };
    mark(l.vertices), mark(l.surfaces), mark(l.sectors), mark(l.things);
  }
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

EditMode ModeOf(const benchmark::State& state) {
  return static_cast<EditMode>(state.range(0));
}

void BM_RedrawMap(benchmark::State& state) {
  Scene& scene = TheScene();
  scene.SelectEvery(4);
  mapview::PixelCanvas canvas(kPanel.width, kPanel.height);
  const mapview::MapFrame frame{*scene.level, scene.view, kPanel, canvas};
  for (auto _ : state) {
    platform::MessageBatch messages(scene.ui);
    mapview::RedrawMap(frame, ModeOf(state), messages);
    benchmark::DoNotOptimize(canvas.Bits());
  }
}

void BM_RedrawMapWithQPainter(benchmark::State& state) {
  Scene& scene = TheScene();
  scene.SelectEvery(4);
  QImage image(kPanel.width, kPanel.height, QImage::Format_RGB32);
  mapview::QtCanvas canvas(image);
  const mapview::MapFrame frame{*scene.level, scene.view, kPanel, canvas};
  for (auto _ : state) {
    platform::MessageBatch messages(scene.ui);
    mapview::RedrawMap(frame, ModeOf(state), messages);
  }
}

void BM_DrawSelected(benchmark::State& state) {
  Scene& scene = TheScene();
  scene.SelectEvery(4);
  mapview::PixelCanvas canvas(kPanel.width, kPanel.height);
  const mapview::MapFrame frame{*scene.level, scene.view, kPanel, canvas};
  for (auto _ : state) {
    platform::MessageBatch messages(scene.ui);
    mapview::DrawSelected(frame, ModeOf(state), messages);
    benchmark::DoNotOptimize(canvas.Bits());
  }
}

// The floor: the edges Surface mode draws, projected once beforehand, cleared and drawn by
// QPainter with one drawLines call.
void BM_QPainterDrawLinesFloor(benchmark::State& state) {
  Scene& scene = TheScene();
  const level::Level& l = *scene.level;
  const mapview::Projector project(scene.view, kPanel);
  std::vector<QLine> lines;
  for (int s = 0; s < l.surfaces.Used(); ++s) {
    const mapview::Outline outline = mapview::OutlineOf(l, l.surfaces[s]);
    for (int k = 0; k < outline.count; ++k) {
      const level::Vertex& a = l.vertices[outline.vertices[static_cast<std::size_t>(k)]];
      const level::Vertex& b =
          l.vertices[outline.vertices[static_cast<std::size_t>((k + 1) % outline.count)]];
      const mapview::PixelPoint pa = project(a.x, a.y, a.z);
      const mapview::PixelPoint pb = project(b.x, b.y, b.z);
      lines.emplace_back(pa.x, pa.y, pb.x, pb.y);
    }
  }
  QImage image(kPanel.width, kPanel.height, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QColor(128, 128, 128));
  for (auto _ : state) {
    painter.fillRect(0, 0, kPanel.width, kPanel.height, QColor(192, 192, 192));
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
  }
  state.counters["lines"] = static_cast<double>(lines.size());
}

editing::SelectionContext ContextFor(Scene& scene, EditMode mode) {
  return {*scene.level, scene.view, kPanel, mode, *scene.index, scene.ui, scene.host};
}

void BM_PickAt(benchmark::State& state) {
  Scene& scene = TheScene();
  scene.SelectEvery(0);
  const auto context = ContextFor(scene, ModeOf(state));
  // A point inside a floor, near a vertex and on a thing's circle in every mode's sense.
  const mapview::PixelPoint at = scene.view.ProjectPoint(48.1f, 16.2f, 0, kPanel);
  bool select = true;
  for (auto _ : state) {
    editing::PickAt(context, at.x, at.y, select, false);
    select = !select;
  }
}

void BM_PickInBox(benchmark::State& state) {
  Scene& scene = TheScene();
  scene.SelectEvery(0);
  const auto context = ContextFor(scene, ModeOf(state));
  bool select = true;
  for (auto _ : state) {
    editing::PickInBox(context, 400, 300, 1200, 900, select);  // the middle quarter of the map
    select = !select;
  }
}

// The redraw with the grid on at its finest step, thinned to about 200 lines each way.
void BM_RedrawMapWithGrid(benchmark::State& state) {
  Scene& scene = TheScene();
  scene.SelectEvery(4);
  mapview::PixelCanvas canvas(kPanel.width, kPanel.height);
  const mapview::MapFrame frame{*scene.level, scene.view, kPanel, canvas};
  mapview::GridStep grid;
  while (grid.Finer()) {
  }
  for (auto _ : state) {
    platform::MessageBatch messages(scene.ui);
    mapview::RedrawMap(frame, ModeOf(state), messages, grid.Step());
    benchmark::DoNotOptimize(canvas.Bits());
  }
}

// A move of every vertex as one step: the vertices, every surface's normal and every sector's
// vertex list, boxes, centre and radius. Each step is undone outside the timing.
void BM_MoveEveryVertex(benchmark::State& state) {
  Scene& scene = TheScene();
  level::Level& l = *scene.level;
  editing::MoveSelection all{EditMode::Vertex, {}};
  for (int v = 0; v < l.vertices.count; ++v) all.indices.push_back(v);
  editing::EditHistory history;
  for (auto _ : state) {
    editing::RecordMove move(l, history, all, mapview::View::Top);
    move.Place({0.5, 0.25});
    benchmark::DoNotOptimize(move.Finish());
    state.PauseTiming();
    history.Undo(l);
    state.ResumeTiming();
  }
  state.counters["vertices"] = static_cast<double>(all.indices.size());
}

void Modes(benchmark::internal::Benchmark* b) {
  b->ArgName("mode");
  for (int mode = 1; mode <= 4; ++mode) b->Arg(mode);
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_QPainterDrawLinesFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawMap)->Apply(Modes);
BENCHMARK(BM_RedrawMapWithQPainter)->Apply(Modes);
BENCHMARK(BM_RedrawMapWithGrid)->Apply(Modes);
BENCHMARK(BM_MoveEveryVertex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawSelected)->Apply(Modes);
BENCHMARK(BM_PickAt)->Apply(Modes);
BENCHMARK(BM_PickInBox)->Apply(Modes);

}  // namespace

BENCHMARK_MAIN();
