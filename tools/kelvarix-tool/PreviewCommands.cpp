#include "ConsoleUi.h"
#include "RenderArguments.h"
#include "ToolCommand.h"

#include "level/JklReader.h"
#include "level/Level.h"
#include "platform/FileIo.h"
#include "platform/GamePaths.h"
#include "preview3d/PreviewSession.h"
#include "preview3d/QtOffscreenPreview.h"

#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kx::tool {

CommandList PreviewCommands();

namespace {

using mapview::EditMode;
namespace fs = std::filesystem;

constexpr int kMaxSide = 4096;

[[noreturn]] void Refuse(const std::string& what) {
  throw std::runtime_error("preview render: " + what);
}

struct PreviewOptions {
  fs::path jkl;
  fs::path png;
  int width = 640;
  int height = 480;
  EditMode mode = EditMode::Surface;
  std::optional<fs::path> projectDir;
  std::optional<fs::path> jkDir;
  std::optional<int> fromThing;
  std::optional<std::vector<float>> camera;  // x, y, z, yaw, pitch
  int benchFrames = 0;
};

int WholeNumber(const std::string& text, const std::string& option, int low, int high) {
  return WholeNumberArgument("preview render", text, option, low, high);
}

PreviewOptions ParseOptions(const std::vector<std::string>& args) {
  PreviewOptions options;
  bool haveJkl = false;
  bool havePng = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) Refuse(arg + " wants a value");
      return args[++i];
    };
    if (arg == "--out" || arg == "-o") {
      options.png = value();
      havePng = true;
    } else if (arg == "--size") {
      const std::string& s = value();
      const std::size_t x = s.find('x');
      if (x == std::string::npos) Refuse("--size wants WxH, not '" + s + "'");
      options.width = WholeNumber(s.substr(0, x), "--size", 1, kMaxSide);
      options.height = WholeNumber(s.substr(x + 1), "--size", 1, kMaxSide);
    } else if (arg == "--mode") {
      const std::string& m = value();
      const auto mode = EditModeNamed(m);
      if (!mode) Refuse("--mode wants vertex, surface, sector or thing, not '" + m + "'");
      options.mode = *mode;
    } else if (arg == "--project") {
      options.projectDir = value();
    } else if (arg == "--jkdir") {
      options.jkDir = value();
    } else if (arg == "--from-thing") {
      options.fromThing = WholeNumber(value(), "--from-thing", 0, 1 << 30);
    } else if (arg == "--camera") {
      const std::string& c = value();
      const std::vector<std::string> parts = SplitCommas(c);
      if (parts.size() != 5) Refuse("--camera wants X,Y,Z,YAW,PITCH, not '" + c + "'");
      std::vector<float> numbers;
      for (const std::string& part : parts) {
        numbers.push_back(NumberArgument("preview render", part, "--camera"));
      }
      options.camera = numbers;
    } else if (arg == "--bench") {
      options.benchFrames = WholeNumber(value(), "--bench", 1, 100000);
    } else if (!arg.empty() && arg[0] == '-') {
      Refuse("unknown option '" + arg + "'");
    } else if (haveJkl) {
      Refuse("one level file only, not also '" + arg + "'");
    } else {
      options.jkl = arg;
      haveJkl = true;
    }
  }
  if (!haveJkl) Refuse("which level? Give LEVEL.jkl");
  if (!havePng) Refuse("where to? Give --out FILE.png");
  if (options.fromThing && options.camera) Refuse("give --from-thing or --camera, not both");
  return options;
}

// Qt would abort without a display; say what is missing instead.
void RequireDisplay() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  if (!set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM")) {
    throw std::runtime_error(
        "preview render needs a display for OpenGL, and there is none (DISPLAY is not set); "
        "run it in a desktop session or under Xvfb: xvfb-run -a kelvarix-tool preview render ...");
  }
}

int RunPreviewRender(const std::vector<std::string>& args) {
  const PreviewOptions options = ParseOptions(args);
  ConsoleUi ui;
  auto level = std::make_unique<level::Level>();
  level::ReadLevel(*level, options.jkl, options.jkl.filename().string(), ui);
  const resources::ResourcePaths paths{
      options.projectDir ? *options.projectDir : ProjectDirOf(options.jkl),
      options.jkDir ? platform::ResolveIgnoringCase(*options.jkDir, "resource\\res2.gob")
                    : fs::path()};

  RequireDisplay();
  static int argc = 1;
  static char name[] = "kelvarix-tool";
  static char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);

  preview3d::QtOffscreenPreview preview(QSize(options.width, options.height));
  if (!preview.Problem().isEmpty()) {
    throw std::runtime_error("The 3D preview needs OpenGL 3.3: " + preview.Problem().toStdString());
  }
  preview3d::PreviewSession session;
  session.Start(*level, options.mode, paths, nullptr);
  for (const std::string& notice : session.Notices()) ui.Note(notice);
  preview3d::Navigation& walk = session.Walk();
  if (options.fromThing) {
    if (!level->things.InUse(*options.fromThing)) {
      Refuse("the level has no thing " + std::to_string(*options.fromThing));
    }
    walk.camera = preview3d::Camera::At(preview3d::ThingPosition(*level, *options.fromThing));
  } else if (options.camera) {
    const std::vector<float>& c = *options.camera;
    walk.camera = preview3d::Camera::At({c[0], c[1], c[2]});
    constexpr float kDegree = std::numbers::pi_v<float> / 180;
    walk.camera.TurnAboutLevelUp(c[3] * kDegree);
    walk.camera.Tilt(c[4] * kDegree);
  }
  preview.Upload(session.Scene());

  if (options.benchFrames > 0) {
    char line[64];
    std::snprintf(line, sizeof line, "frame_ms %.3f",
                  Median(preview.TimeFrames(walk, options.benchFrames)));
    std::cout << line << '\n';
  }
  const QImage image = preview.Render(walk);
  if (image.isNull() || !image.save(QString::fromStdString(options.png.string()), "PNG")) {
    Refuse("could not write " + platform::DisplayPath(options.png));
  }
  std::cout << "renderer " << preview.RendererName().toStdString() << '\n'
            << "surfaces " << session.Scene().geometry.surfaces << '\n'
            << "batches " << session.Scene().geometry.batches.size() << '\n';
  return 0;
}

}  // namespace

CommandList PreviewCommands() {
  return {{"preview", "render",
           "LEVEL.jkl --out FILE.png [--size WxH] [--mode surface|sector|vertex|thing] "
           "[--project DIR] [--jkdir DIR] [--from-thing N | --camera X,Y,Z,YAW,PITCH] "
           "[--bench FRAMES]",
           "Draws one frame of the level's 3D preview offscreen, as the editor's preview window\n"
           "shows it, and writes it as a PNG image (default 640x480). The camera stands at the\n"
           "player start (the first WALKPLAYER thing, else thing 0) looking along +y, or at thing\n"
           "N, or at X,Y,Z turned YAW degrees to the right of +y and PITCH degrees up. Materials\n"
           "and the colormap come from the project (default: the folder above the level's jkl\n"
           "folder), then from the game's res2.gob below --jkdir DIR. The mode decides which\n"
           "hidden sectors or surfaces are left out. --bench FRAMES draws that many frames first\n"
           "and prints 'frame_ms M', the median time of one. Prints the driver's name and the\n"
           "number of surfaces drawn. Needs a display with OpenGL 3.3 (Xvfb is fine).",
           &RunPreviewRender}};
}

}  // namespace kx::tool
