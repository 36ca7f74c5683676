// Every material, colormap and model made by other people decodes, loose and inside archives.
#include "support/FakeUi.h"
#include "support/TempDir.h"

#include "archive/GobDirectory.h"
#include "level/Numbers.h"
#include "level/Words.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"
#include "resources/CelImage.h"
#include "resources/Colormap.h"
#include "resources/MatFile.h"
#include "resources/ModelRadii.h"
#include "resources/ModelRadius.h"
#include "resources/ResourceLookup.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace kx::resources {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles(std::string_view extension) {
  std::vector<fs::path> files;
  const fs::path corpus = test::CorpusDir();
  if (corpus.empty()) return files;
  for (const auto& item : fs::recursive_directory_iterator(corpus)) {
    if (item.is_regular_file() &&
        level::EqualsIgnoringCase(item.path().extension().string(), extension)) {
      files.push_back(item.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The radius written in the geometry definition, found without the reader's phases: the first
// RADIUS line after "SECTION: GEOMETRYDEF".
std::optional<float> GeometryRadius(const std::string& text) {
  StringLineSource lines(text);
  bool inGeometry = false;
  while (!lines.AtEnd()) {
    const std::string line = level::ToUpperAscii(level::Trim(lines.ReadLine()));
    if (line.rfind("SECTION: GEOMETRYDEF", 0) == 0) inGeometry = true;
    if (inGeometry && line.rfind("RADIUS", 0) == 0) {
      return level::ParseFloat(line.substr(6));
    }
  }
  return std::nullopt;
}

Palette CorpusPalette() {
  const auto cmps = CorpusFiles(".cmp");
  if (cmps.empty()) return Palette{};
  return DecodeColormap(platform::ReadFileBytes(cmps.front()), cmps.front().string());
}

void ExpectDrawable(const MatFile& mat, const Palette& palette, const std::string& name) {
  for (std::size_t i = 0; i < mat.cels.size(); ++i) {
    const Cel& cel = mat.cels[i];
    if (mat.IsTexture()) {
      EXPECT_GT(cel.width, 0) << name;
      EXPECT_EQ(cel.pixels.size(),
                CelPixelBytes(cel.width, cel.height, cel.mips, mat.format.BytesPerPixel()))
          << name;
    }
    const RgbImage image = DrawCel(mat, i, palette);
    EXPECT_EQ(image.rgb.size(), static_cast<std::size_t>(image.width) * image.height * 3) << name;
  }
}

TEST(CorpusResourcesTest, EveryLooseMaterialDecodesAndDraws) {
  const auto files = CorpusFiles(".mat");
  if (files.empty()) GTEST_SKIP() << "no corpus on this machine";
  EXPECT_GT(files.size(), 150u);
  const Palette palette = CorpusPalette();
  int textures = 0, colours = 0, animated = 0;
  for (const auto& file : files) {
    const auto mat = DecodeMat(platform::ReadFileBytes(file), file.string());
    ASSERT_TRUE(mat.has_value()) << file;
    EXPECT_FALSE(mat->cels.empty()) << file;
    ExpectDrawable(*mat, palette, file.string());
    (mat->IsTexture() ? textures : colours) += 1;
    animated += mat->cels.size() > 1 ? 1 : 0;
  }
  EXPECT_GT(textures, 0);
  EXPECT_GT(colours, 0);
  EXPECT_GT(animated, 0);
}

TEST(CorpusResourcesTest, EveryColormapDecodes) {
  const auto files = CorpusFiles(".cmp");
  if (files.empty()) GTEST_SKIP() << "no corpus on this machine";
  for (const auto& file : files) {
    const Palette palette = DecodeColormap(platform::ReadFileBytes(file), file.string());
    // A real palette is not one flat colour.
    EXPECT_NE(std::count(palette.begin(), palette.end(), palette[0]), 256) << file;
  }
}

TEST(CorpusResourcesTest, EveryLooseModelGivesItsGeometryRadius) {
  const auto files = CorpusFiles(".3do");
  if (files.empty()) GTEST_SKIP() << "no corpus on this machine";
  EXPECT_GT(files.size(), 40u);
  for (const auto& file : files) {
    const std::string text = platform::ReadFileBytes(file);
    StringLineSource lines(text);
    const auto radius = Read3DORadius(lines);
    ASSERT_TRUE(radius.has_value()) << file;
    EXPECT_GT(*radius, 0.0f) << file;
    EXPECT_EQ(radius, GeometryRadius(text)) << file;
  }
}

// Archives of real levels: every material is found and decodes, every model gets its radius
// through the same lookup the editor uses for res2.gob.
TEST(CorpusResourcesTest, ResourcesInsideArchivesLoadThroughTheLookup) {
  auto archives = CorpusFiles(".gob");
  const auto goo = CorpusFiles(".goo");
  archives.insert(archives.end(), goo.begin(), goo.end());
  if (archives.empty()) GTEST_SKIP() << "no corpus on this machine";
  const Palette palette = CorpusPalette();
  int materials = 0, models = 0;
  for (const auto& archivePath : archives) {
    std::vector<archive::GobDirectoryEntry> entries;
    try {
      entries = archive::ReadGobDirectory(archivePath);
    } catch (const platform::CommandError&) {
      continue;  // the archive tests cover damaged archives
    }
    const ResourcePaths paths{{}, archivePath};
    auto level = std::make_unique<level::Level>();
    std::vector<std::optional<float>> expected;
    for (const auto& entry : entries) {
      const std::string upper = level::ToUpperAscii(entry.name);
      if (upper.size() > 4 && upper.substr(upper.size() - 4) == ".MAT") {
        const auto bytes = ReadGameResource(entry.name, paths);
        ASSERT_TRUE(bytes.has_value()) << archivePath << " " << entry.name;
        const auto mat = DecodeMat(*bytes, entry.name);
        ASSERT_TRUE(mat.has_value()) << archivePath << " " << entry.name;
        ExpectDrawable(*mat, palette, entry.name);
        ++materials;
      } else if (upper.rfind("3DO\\", 0) == 0 && upper.find('\\', 4) == std::string::npos &&
                 upper.size() > 4 && upper.substr(upper.size() - 4) == ".3DO") {
        const int i = level->models.count++;
        level->models[i].name = entry.name.substr(4);
        expected.push_back(GeometryRadius(*ReadGameResource(entry.name, paths)));
      }
    }
    test::FakeUi ui;
    Parse3DOs(*level, {}, archivePath, ui);
    EXPECT_TRUE(ui.boxes.empty()) << archivePath;
    for (int i = 0; i < level->models.count; ++i) {
      ASSERT_TRUE(expected[static_cast<std::size_t>(i)].has_value()) << level->models[i].name;
      EXPECT_EQ(level->models[i].radius, *expected[static_cast<std::size_t>(i)])
          << archivePath << " " << level->models[i].name;
      ++models;
    }
  }
  EXPECT_GT(materials, 20);
  EXPECT_GT(models, 4);
}

}  // namespace
}  // namespace kx::resources
