#include "CommandLevel.h"
#include "ConsoleUi.h"
#include "RenderArguments.h"
#include "ToolCommand.h"

#include "editing/Picking.h"
#include "editing/SelectionCommands.h"
#include "editing/SurfaceSectorIndex.h"
#include "level/JklReader.h"
#include "level/Level.h"
#include "level/Numbers.h"
#include "mapview/MapDrawing.h"
#include "mapview/PixelCanvas.h"
#include "mapview/QtCanvas.h"
#include "mapview/ZoomToFit.h"
#include "platform/FileIo.h"
#include "platform/GamePaths.h"
#include "resources/ModelRadii.h"
#include "resources/ResourceLookup.h"

#include <QImage>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kx::tool {

CommandList MapCommands();

namespace {

using mapview::EditMode;
using mapview::View;

[[noreturn]] void Refuse(const std::string& what) {
  throw std::runtime_error("map render: " + what);
}

/// One mouse gesture on the map, in the order given.
struct Gesture {
  bool isBox = false;
  int values[4] = {0, 0, 0, 0};  // px, py for a click; left, top, right, bottom for a box
  bool shift = false;
  bool ctrl = false;
};

struct RenderOptions {
  std::filesystem::path jkl;
  std::filesystem::path png;
  View view = View::Top;
  EditMode mode = EditMode::Surface;
  mapview::PanelSize size{800, 600};
  std::optional<float> scale;
  std::optional<float> origin[3];
  bool fit = false;
  std::vector<Gesture> gestures;
  std::optional<std::filesystem::path> jkDir;
  int benchRuns = 0;
};

int WholeNumber(const std::string& text, const std::string& option, int low, int high) {
  return WholeNumberArgument("map render", text, option, low, high);
}

float Number(const std::string& text, const std::string& option) {
  return NumberArgument("map render", text, option);
}

Gesture ParseGesture(const std::string& text, bool isBox) {
  const std::string option = isBox ? "--box" : "--click";
  const std::size_t count = isBox ? 4 : 2;
  const std::vector<std::string> parts = SplitCommas(text);
  if (parts.size() < count) {
    Refuse(option + " wants " + (isBox ? "L,T,R,B[,shift]" : "PX,PY[,shift][,ctrl]") + ", not '" +
           text + "'");
  }
  Gesture gesture;
  gesture.isBox = isBox;
  for (std::size_t i = 0; i < count; ++i) {
    gesture.values[i] = WholeNumber(parts[i], option, -1000000, 1000000);
  }
  for (std::size_t i = count; i < parts.size(); ++i) {
    if (parts[i] == "shift") {
      gesture.shift = true;
    } else if (parts[i] == "ctrl") {
      gesture.ctrl = true;  // a drag with Ctrl is a drag without it
    } else {
      Refuse(option + ": unknown modifier '" + parts[i] + "' (shift or ctrl)");
    }
  }
  return gesture;
}

RenderOptions ParseRenderOptions(const std::vector<std::string>& args) {
  RenderOptions options;
  bool havePng = false;
  bool haveJkl = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) Refuse(arg + " wants a value");
      return args[++i];
    };
    if (arg == "-o") {
      options.png = value();
      havePng = true;
    } else if (arg == "--view") {
      const std::string& v = value();
      if (v == "top") {
        options.view = View::Top;
      } else if (v == "front") {
        options.view = View::Front;
      } else if (v == "right") {
        options.view = View::Right;
      } else {
        Refuse("--view wants top, front or right, not '" + v + "'");
      }
    } else if (arg == "--mode") {
      const std::string& m = value();
      const auto mode = EditModeNamed(m);
      if (!mode) Refuse("--mode wants vertex, surface, sector or thing, not '" + m + "'");
      options.mode = *mode;
    } else if (arg == "--size") {
      const std::string& s = value();
      const std::size_t x = s.find('x');
      if (x == std::string::npos) Refuse("--size wants WxH, not '" + s + "'");
      options.size.width = WholeNumber(s.substr(0, x), "--size", 1, mapview::PixelCanvas::kMaxSide);
      options.size.height =
          WholeNumber(s.substr(x + 1), "--size", 1, mapview::PixelCanvas::kMaxSide);
    } else if (arg == "--scale") {
      const float scale = Number(value(), "--scale");
      if (!(scale >= mapview::MapView::kMinScale && scale <= mapview::MapView::kMaxScale)) {
        Refuse("--scale must lie between 0.0001 and 100000");
      }
      options.scale = scale;
    } else if (arg == "--origin") {
      const std::string& o = value();
      const std::vector<std::string> parts = SplitCommas(o);
      if (parts.size() != 3) Refuse("--origin wants X,Y,Z, not '" + o + "'");
      for (int k = 0; k < 3; ++k)
        options.origin[k] = Number(parts[static_cast<std::size_t>(k)], "--origin");
    } else if (arg == "--fit") {
      options.fit = true;
    } else if (arg == "--click") {
      options.gestures.push_back(ParseGesture(value(), false));
    } else if (arg == "--box") {
      options.gestures.push_back(ParseGesture(value(), true));
    } else if (arg == "--jkdir") {
      options.jkDir = value();
    } else if (arg == "--bench") {
      options.benchRuns = WholeNumber(value(), "--bench", 1, 100000);
    } else if (!arg.empty() && arg[0] == '-') {
      Refuse("unknown option '" + arg + "'");
    } else if (haveJkl) {
      Refuse("one level file only, not also '" + arg + "'");
    } else {
      options.jkl = arg;
      haveJkl = true;
    }
  }
  if (!haveJkl) Refuse("which level? Give FILE.jkl");
  if (!havePng) Refuse("where to? Give -o OUT.png");
  if (options.fit && (options.scale || options.origin[0])) {
    Refuse("--fit chooses scale and origin itself; leave out --scale and --origin");
  }
  return options;
}

/// A Ui that drops everything: the repeated redraws of a benchmark report nothing.
class SilentUi : public ConsoleUi {
 public:
  void ShowMessage(platform::BoxKind, const std::string&) override {}
  void Note(const std::string&) override {}
};

/// The map window of the tool: repaints go to the canvas, the counter is kept.
class CanvasHost : public editing::SelectionHost {
 public:
  CanvasHost(level::Level& level, mapview::MapView& view, mapview::PanelSize size, EditMode mode,
             mapview::Canvas& canvas, platform::Ui& ui)
      : m_frame{level, view, size, canvas}, m_mode(mode), m_ui(ui) {}

  void RedrawMap() override {
    platform::MessageBatch messages(m_ui);
    mapview::RedrawMap(m_frame, m_mode, messages);
  }
  void DrawSelected() override {
    platform::MessageBatch messages(m_ui);
    mapview::DrawSelected(m_frame, m_mode, messages);
  }
  void ShowSelectionCount(int count) override { m_count = count; }
  void UpdatePropertyPanel() override {}

  const mapview::MapFrame& Frame() const { return m_frame; }

 private:
  mapview::MapFrame m_frame;
  EditMode m_mode;
  platform::Ui& m_ui;
  int m_count = 0;
};

int RunMapRender(const std::vector<std::string>& args) {
  const RenderOptions options = ParseRenderOptions(args);
  ConsoleUi ui;
  const CommandLevel read = ReadCommandLevel(options.jkl, ui);
  level::Level* level = read.level.get();
  const editing::SurfaceSectorIndex sectorIndex(*level);
  // Only things are drawn and picked by their model's radius.
  if (options.mode == EditMode::Thing) {
    resources::Parse3DOs(
        *level, ProjectDirOf(options.jkl),
        options.jkDir ? platform::ResolveIgnoringCase(*options.jkDir, "resource\\res2.gob")
                      : std::filesystem::path(), ui);
  }

  mapview::MapView view = mapview::MapView::AtStart(options.size);
  view.SetView(options.view);
  if (options.scale) view.scale = *options.scale;
  if (options.origin[0]) {
    view.originX = *options.origin[0];
    view.originY = *options.origin[1];
    view.originZ = *options.origin[2];
  }
  if (options.fit) mapview::ZoomToFit(view, *level, options.size);

  mapview::PixelCanvas canvas(options.size.width, options.size.height);
  CanvasHost host(*level, view, options.size, options.mode, canvas, ui);
  host.RedrawMap();
  const editing::SelectionContext context{*level,      view, options.size, options.mode,
                                          sectorIndex, ui,   host};
  for (const Gesture& g : options.gestures) {
    if (g.isBox) {
      editing::PickInBox(context, g.values[0], g.values[1], g.values[2], g.values[3], !g.shift);
    } else {
      editing::PickAt(context, g.values[0], g.values[1], !g.shift, g.ctrl);
    }
  }
  host.RedrawMap();

  if (options.benchRuns > 0) {
    SilentUi silent;
    std::vector<double> times;
    for (int run = 0; run < options.benchRuns; ++run) {
      platform::MessageBatch messages(silent);
      const auto start = std::chrono::steady_clock::now();
      mapview::RedrawMap(host.Frame(), options.mode, messages);
      const auto stop = std::chrono::steady_clock::now();
      times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    char line[64];
    std::snprintf(line, sizeof line, "redraw_ms %.3f", Median(times));
    std::cout << line << '\n';
  }

  const QImage image = mapview::QtImageOf(canvas);
  if (!image.save(QString::fromStdString(options.png.string()), "PNG")) {
    Refuse("could not write " + platform::DisplayPath(options.png));
  }
  std::cout << "selected " << editing::CountSelected(*level, options.mode) << '\n';
  return StatusAfterRead(read, options.jkl);
}

}  // namespace

CommandList MapCommands() {
  return {{"map", "render",
           "FILE.jkl -o OUT.png [--view top|front|right] [--mode vertex|surface|sector|thing] "
           "[--size WxH] [--scale S] [--origin X,Y,Z] [--fit] [--click PX,PY[,shift][,ctrl]]... "
           "[--box L,T,R,B[,shift]]... [--jkdir DIR] [--bench N]",
           "Draws the level's map as the editor shows it and writes it as a PNG image.\n"
           "The clicks and boxes (map pixels, y downwards) select records of the mode's table in\n"
           "the order given, as the mouse would; then the map is redrawn and the number of\n"
           "selected records printed as 'selected N'. Defaults: top view, surface mode, 800x600,\n"
           "scale 50 and origin 0,0,0. --fit chooses scale and origin so that every vertex lies\n"
           "on the image with a 5% margin. In thing mode the models' radii are read from the\n"
           "project (the folder above the level's jkl folder) and from the game's res2.gob below\n"
           "--jkdir DIR. --bench N redraws N more times and prints\n"
           "'redraw_ms M', the median time of one redraw. Exit status 1 when the level was read\n"
           "with records left out (the notes on stderr name them).",
           &RunMapRender}};
}

}  // namespace kx::tool
