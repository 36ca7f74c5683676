// Every material, colormap and model made by other people decodes.
#include "support/TempDir.h"

#include "level/Words.h"
#include "platform/FileIo.h"
#include "resources/CelImage.h"
#include "resources/ModelRadius.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kx::resources {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles(std::string_view extension) {
  std::vector<fs::path> files;
  if (test::CorpusDir().empty()) return files;
  for (const auto& item : fs::recursive_directory_iterator(test::CorpusDir())) {
    if (item.is_regular_file() &&
        level::EqualsIgnoringCase(item.path().extension().string(), extension)) {
      files.push_back(item.path());
    }
  }
  return files;
}

TEST(CorpusResourcesTest, EveryLooseMaterialColormapAndModelDecodes) {
  const auto materials = CorpusFiles(".mat");
  const auto colormaps = CorpusFiles(".cmp");
  const auto models = CorpusFiles(".3do");
  if (materials.empty()) GTEST_SKIP() << "no corpus on this machine";
  ASSERT_GT(materials.size(), 150u);
  ASSERT_GT(models.size(), 40u);
  for (const auto& cmp : colormaps) {
    const Palette palette = DecodeColormap(platform::ReadFileBytes(cmp), cmp.string());
    EXPECT_LT(std::count(palette.begin(), palette.end(), palette[0]), 256) << cmp;
  }
  const Palette palette =
      DecodeColormap(platform::ReadFileBytes(colormaps.at(0)), colormaps[0].string());
  std::size_t animated = 0;
  for (const auto& file : materials) {
    const auto mat = DecodeMat(platform::ReadFileBytes(file), file.string());
    ASSERT_TRUE(mat.has_value()) << file;
    ASSERT_FALSE(mat->cels.empty()) << file;
    for (std::size_t i = 0; i < mat->cels.size(); ++i) {
      const RgbImage image = DrawCel(*mat, i, palette);
      EXPECT_GT(image.width * image.height, 0) << file;
    }
    animated += mat->cels.size() > 1;
  }
  EXPECT_GT(animated, 5u);
  for (const auto& file : models) {
    const std::string text = platform::ReadFileBytes(file);
    StringLineSource lines(text);
    const auto radius = Read3DORadius(lines);
    ASSERT_TRUE(radius.has_value()) << file;
    EXPECT_GT(*radius, 0.0f) << file;
  }
}

}  // namespace
}  // namespace kx::resources
