// Every material, colormap and model made by other people decodes.
#include "support/TempDir.h"

#include "level/Numbers.h"
#include "level/Words.h"
#include "platform/FileIo.h"
#include "resources/CelImage.h"
#include "resources/ModelRadius.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kx::resources {
namespace {

namespace fs = std::filesystem;

bool HasExtension(std::string_view name, std::string_view extension) {
  return name.size() > extension.size() &&
         level::EqualsIgnoringCase(name.substr(name.size() - extension.size()), extension);
}

std::vector<fs::path> CorpusFiles(std::string_view extension) {
  std::vector<fs::path> files;
  if (test::CorpusDir().empty()) return files;
  for (const auto& item : fs::recursive_directory_iterator(test::CorpusDir())) {
    if (item.is_regular_file() && HasExtension(item.path().string(), extension)) {
      files.push_back(item.path());
    }
  }
  return files;
}

// The radius of the geometry definition found without the reader's phases: the first RADIUS
// line after "SECTION: GEOMETRYDEF".
std::optional<float> GeometryRadius(const std::string& text) {
  const std::string upper = level::ToUpperAscii(text);
  const auto geometry = upper.find("SECTION: GEOMETRYDEF");
  const auto radius = upper.find("\nRADIUS", geometry);
  if (geometry == std::string::npos || radius == std::string::npos) return std::nullopt;
  return level::ParseFloat(std::string_view(upper).substr(radius + 7, 40));
}

Palette CorpusPalette() {
  const auto cmp = CorpusFiles(".cmp").at(0);
  return DecodeColormap(platform::ReadFileBytes(cmp), cmp.string());
}

// Decodes and draws every cel; returns the number of cels.
std::size_t ExpectDrawable(const std::string& bytes, const std::string& name,
                           const Palette& palette) {
  const auto mat = DecodeMat(bytes, name);
  EXPECT_TRUE(mat.has_value()) << name;
  if (!mat) return 0;
  EXPECT_FALSE(mat->cels.empty()) << name;
  for (std::size_t i = 0; i < mat->cels.size(); ++i) {
    const RgbImage image = DrawCel(*mat, i, palette);
    EXPECT_GT(image.width * image.height, 0) << name;
  }
  return mat->cels.size();
}

TEST(CorpusResourcesTest, EveryLooseMaterialColormapAndModelDecodes) {
  const auto materials = CorpusFiles(".mat");
  const auto models = CorpusFiles(".3do");
  if (materials.empty()) GTEST_SKIP() << "no corpus on this machine";
  ASSERT_GT(materials.size(), 150u);
  ASSERT_GT(models.size(), 40u);
  for (const auto& cmp : CorpusFiles(".cmp")) {
    const Palette palette = DecodeColormap(platform::ReadFileBytes(cmp), cmp.string());
    EXPECT_LT(std::count(palette.begin(), palette.end(), palette[0]), 256) << cmp;
  }
  const Palette palette = CorpusPalette();
  std::size_t animated = 0;
  for (const auto& file : materials) {
    animated += ExpectDrawable(platform::ReadFileBytes(file), file.string(), palette) > 1;
  }
  EXPECT_GT(animated, 5u);
  for (const auto& file : models) {
    const std::string text = platform::ReadFileBytes(file);
    StringLineSource lines(text);
    const auto radius = Read3DORadius(lines);
    ASSERT_TRUE(radius.has_value()) << file;
    EXPECT_EQ(radius, GeometryRadius(text)) << file;
  }
}

}  // namespace
}  // namespace kx::resources
