#include "ResourceCommands.h"

#include "CommandLevel.h"
#include "ConsoleUi.h"
#include "ToolCommand.h"

#include "level/JklReader.h"
#include "level/Level.h"
#include "level/Numbers.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"
#include "resources/CelImage.h"
#include "resources/Colormap.h"
#include "resources/MatFile.h"
#include "resources/ModelRadius.h"
#include "resources/TemplateTree.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>

namespace kx::tool {

namespace {

namespace fs = std::filesystem;
using platform::CommandError;
using platform::DisplayPath;

resources::MatFile ReadMaterial(const fs::path& path) {
  const std::string bytes = platform::ReadFileBytes(path);
  auto mat = resources::DecodeMat(bytes, DisplayPath(path));
  if (!mat) {
    throw CommandError(
        "Not a material",
        DisplayPath(path) + ": the file does not begin with \"MAT \" and version 0x32");
  }
  return std::move(*mat);
}

int RadiusCommand(const std::vector<std::string>& args) {
  if (args.empty()) throw std::runtime_error("3do radius: give at least one model file");
  int status = 0;
  for (const auto& arg : args) {
    const fs::path path(arg);
    std::string text;
    try {
      text = platform::ReadFileBytes(path);
    } catch (const CommandError& error) {
      std::cerr << error.FullText() << '\n';
      status = 1;
      continue;
    }
    resources::StringLineSource lines(text);
    const auto radius = resources::Read3DORadius(lines);
    std::cout << path.filename().string() << '\t'
              << (radius ? level::FormatFloat6(*radius) : std::string("none")) << '\n';
  }
  return status;
}

int MatInfoCommand(const std::vector<std::string>& args) {
  if (args.size() != 1) throw std::runtime_error("mat info: give one material file");
  std::cout << resources::MatInfoText(ReadMaterial(args[0]));
  return 0;
}

struct PngArguments {
  fs::path material;
  fs::path colormap;
  fs::path output;
  int cel = 0;
};

PngArguments ParsePngArguments(const std::vector<std::string>& args) {
  PngArguments parsed;
  bool haveMaterial = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::runtime_error("mat png: " + arg + " needs a value");
      return args[++i];
    };
    if (arg == "--cmp") {
      parsed.colormap = value();
    } else if (arg == "-o") {
      parsed.output = value();
    } else if (arg == "--cel") {
      const std::string& text = value();
      const auto cel = level::ParseWholeInt(text);
      if (!cel || *cel < 0)
        throw std::runtime_error("mat png: --cel needs a cel number from 0, not '" + text + "'");
      parsed.cel = *cel;
    } else if (!haveMaterial && (arg.empty() || arg[0] != '-')) {
      parsed.material = arg;
      haveMaterial = true;
    } else {
      throw std::runtime_error("mat png: unexpected argument '" + arg + "'");
    }
  }
  if (!haveMaterial || parsed.colormap.empty() || parsed.output.empty()) {
    throw std::runtime_error("mat png: usage: FILE --cmp CMPFILE -o OUT.png [--cel N]");
  }
  return parsed;
}

QByteArray PngBytes(const resources::RgbImage& image, const std::string& output) {
  QImage picture(image.width, image.height, QImage::Format_RGB888);
  if (picture.isNull()) throw CommandError("Cannot build the image", output);
  const auto rowBytes = static_cast<std::size_t>(image.width) * 3;
  for (int y = 0; y < image.height; ++y) {
    std::copy_n(image.rgb.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes,
                picture.scanLine(y));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "PNG")) throw CommandError("Cannot encode the PNG image", output);
  return bytes;
}

int MatPngCommand(const std::vector<std::string>& args) {
  const PngArguments parsed = ParsePngArguments(args);
  const resources::MatFile mat = ReadMaterial(parsed.material);
  const auto celCount = static_cast<int>(mat.cels.size());
  if (parsed.cel >= celCount) {
    throw CommandError("No such cel", DisplayPath(parsed.material) + " has " +
                                          std::to_string(celCount) +
                                          (celCount == 1 ? " cel" : " cels") + "; cel " +
                                          std::to_string(parsed.cel) + " was asked for");
  }
  const resources::Palette palette = resources::DecodeColormap(
      platform::ReadFileBytes(parsed.colormap), DisplayPath(parsed.colormap));
  const resources::RgbImage image =
      resources::DrawCel(mat, static_cast<std::size_t>(parsed.cel), palette);
  const QByteArray png = PngBytes(image, DisplayPath(parsed.output));
  platform::WriteFileAtomically(
      parsed.output, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
  return 0;
}

int TemplatesCommand(const std::vector<std::string>& args) {
  if (args.size() != 1) throw std::runtime_error("jkl templates: give one JKL file");
  const fs::path path(args[0]);
  ConsoleUi ui;
  const CommandLevel read = ReadCommandLevel(path, ui);
  std::cout << resources::TemplateTreeText(resources::BuildTemplateTree(*read.level));
  return StatusAfterRead(read, path);
}

}  // namespace

CommandList ResourceCommands() {
  return {
      {"3do", "radius", "FILE...",
       "Prints one line per model file: its name, a tab and the model's radius with six\n"
       "decimals, or \"none\" when the file has no RADIUS line after its material list.",
       &RadiusCommand},
      {"mat", "info", "FILE",
       "Prints \"texture N\" or \"color N\" (N cels), then one line per cel: \"WIDTHxHEIGHT "
       "MIPS\"\n"
       "for a texture, \"colour INDEX\" for a colour material.",
       &MatInfoCommand},
      {"mat", "png", "FILE --cmp CMPFILE -o OUT.png [--cel N]",
       "Writes cel N (from 0; default 0) as the material selector shows it: a texture's largest\n"
       "mip-map level through the colormap's palette, or a 256x256 square of a colour\n"
       "material's colour.",
       &MatPngCommand},
      {"jkl", "templates", "FILE",
       "Prints the level's template hierarchy, one template per line, two blanks of indent per\n"
       "level, starting with \"none\"; templates without a place follow under\n"
       "\"(no parent found)\". Exit status 1 when the level was read with records left out.",
       &TemplatesCommand},
  };
}

}  // namespace kx::tool
