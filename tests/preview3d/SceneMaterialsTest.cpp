#include "support/GobBuilder.h"
#include "support/MapTestLevel.h"
#include "support/TempDir.h"

#include "preview3d/SceneMaterials.h"
#include "resources/MatBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::preview3d {
namespace {

using resources::Palette;
using resources::Rgb;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

/// A colormap whose entry i is (i, 255 - i, i xor 0x55).
std::string ColormapBytes() {
  std::string bytes(64, 'H');
  for (int i = 0; i < 256; ++i) bytes += {char(i), char(255 - i), char(i ^ 0x55)};
  return bytes + std::string(256 * 64, '\0');  // the light tables follow the palette
}

Rgb Colour(int i) {
  return {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
          static_cast<std::uint8_t>(i ^ 0x55)};
}

Rgb Pixel(const SceneTexture& texture, int x, int y) {
  const auto at = static_cast<std::size_t>((y * texture.width + x) * 3);
  return {texture.rgb.at(at), texture.rgb.at(at + 1), texture.rgb.at(at + 2)};
}

TEST(SceneMaterialsTest, TakesThePaletteFromTheFirstColormapOrFallsBackToAGreyRamp) {
  const struct {
    const char* name;
    std::vector<std::string> colormaps;
    std::optional<std::string> file;  // misc\cmp\DFLT.CMP in the project
    bool fromFile;
    const char* notice;
  } cases[] = {
      {"found in any case", {"dflt.cmp", "other.cmp"}, ColormapBytes(), true, nullptr},
      {"the level has none", {}, ColormapBytes(), false, "The level has no colormap: grey palette"},
      {"not found",
       {"other.cmp"},
       ColormapBytes(),
       false,
       "Colormap other.cmp not found: grey palette"},
      {"cut short",
       {"dflt.cmp"},
       ColormapBytes().substr(0, 500),
       false,
       "Colormap dflt.cmp cannot be read (Read beyond end of file): grey palette"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir project;
    if (c.file) project.Write("misc/cmp/DFLT.CMP", *c.file);
    test::MapTestLevel builder;
    level::Level& level = builder.level();
    for (const auto& name : c.colormaps) level.colormaps[level.colormaps.count++] = name;
    std::vector<std::string> notices;

    const Palette palette =
        LoadScenePalette(level, ResourceIndex({project.path(), {}}, notices), notices);

    if (c.fromFile) {
      EXPECT_EQ(palette[1], Colour(1));
      EXPECT_EQ(palette[254], Colour(254));
      EXPECT_THAT(notices, IsEmpty());
    } else {
      EXPECT_EQ(palette[1], (Rgb{1, 1, 1}));
      EXPECT_EQ(palette[254], (Rgb{254, 254, 254}));
      EXPECT_THAT(notices, ElementsAre(c.notice));
    }
  }
}

/// A level whose materials are named names, in that order, with the test colormap.
std::unique_ptr<test::MapTestLevel> LevelWithMaterials(const std::vector<std::string>& names) {
  auto builder = std::make_unique<test::MapTestLevel>();
  level::Level& level = builder->level();
  level.colormaps[level.colormaps.count++] = "dflt.cmp";
  for (const auto& name : names) level.materials[level.materials.count++] = {name, 1, 1};
  return builder;
}

TEST(SceneMaterialsTest, MakesATextureOfEachMaterialAndTheFallbackOfEveryOneThatCannotBeShown) {
  test::TempDir game;
  test::TempDir project;
  project.Write("misc/cmp/dflt.cmp", ColormapBytes());
  std::string pixels;
  for (int i = 0; i < 8 * 4; ++i) pixels += static_cast<char>(i);
  project.Write("mat/tex.mat",
                test::MatBuilder::Texture().Cel(8, 4, 1, pixels).Cel(2, 2, 1, "abcd").Bytes());
  // 256 x 256 with four mip-map levels: 87,040 pixel bytes, far more than 65,000.
  std::string big;
  for (int k = 0; k < 4; ++k) {
    const int side = 256 >> k;
    for (int i = 0; i < side * side; ++i) big += static_cast<char>((i / 256 + k * 50) & 0xFF);
  }
  project.Write("mat/big.mat", test::MatBuilder::Texture().Cel(256, 256, 4, big).Bytes());
  project.Write("mat/colour.mat", test::MatBuilder::Colour().ColourCel(0x1209).Bytes());
  project.Write("mat/direct.mat", test::MatBuilder::Texture()
                                      .Format(16, 5, 11, 6, 5, 5, 0)
                                      .Cel(2, 1, 1, std::string("\x00\xF8\x1F\x00", 4))
                                      .Bytes());
  project.Write("mat/model.mat", test::MatBuilder::Colour().ColourCel(3).Bytes());
  const std::string cut = test::MatBuilder::Texture().FilledCel(64, 64, 4, 'x').Bytes();
  project.Write("mat/cut.mat", cut.substr(0, cut.size() / 2));
  project.Write("mat/notmat.mat", std::string(200, 'M'));
  project.Write("mat/nocels.mat", test::MatBuilder::Texture().Bytes());
  const auto res2 = test::GobBuilder{}
                        .Entry("mat\\arc.mat", test::MatBuilder::Colour().ColourCel(77).Bytes())
                        .Entry("3do\\mat\\MODEL.MAT", test::MatBuilder::Colour().Bytes())
                        .WriteTo(game.path() / "res2.gob");

  const auto builder = LevelWithMaterials({"tex.mat", "big.mat", "colour.mat", "direct.mat",
                                           "missing.mat", "model.mat", "cut.mat", "notmat.mat",
                                           "nocels.mat", "CUT.MAT", "arc.mat"});
  std::vector<std::string> archiveNotices;
  const ResourceIndex index({project.path(), res2}, archiveNotices);
  std::vector<int> progress;
  const SceneMaterials scene = LoadSceneMaterials(builder->level(), index, [&](int i, int n) {
    EXPECT_EQ(n, 11);
    progress.push_back(i);
  });

  EXPECT_THAT(archiveNotices, IsEmpty());
  EXPECT_THAT(progress, ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10));
  // The fallback is palette colour 255, for every material that cannot be shown.
  ASSERT_EQ(scene.textures[0].rgb.size(), 3u);
  EXPECT_EQ(Pixel(scene.textures[0], 0, 0), Colour(255));
  EXPECT_THAT(scene.materialTexture, ElementsAre(1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 5));
  // The first cel, through the palette, rows top to bottom.
  const SceneTexture& tex = scene.textures[1];
  EXPECT_EQ(tex.width, 8);
  EXPECT_EQ(tex.height, 4);
  EXPECT_EQ(Pixel(tex, 0, 0), Colour(0));
  EXPECT_EQ(Pixel(tex, 7, 0), Colour(7));
  EXPECT_EQ(Pixel(tex, 3, 2), Colour(19));
  // Read whole: the last row of the largest level lies past 65,000 bytes.
  const SceneTexture& large = scene.textures[2];
  EXPECT_EQ(large.width, 256);
  EXPECT_EQ(large.height, 256);
  EXPECT_EQ(Pixel(large, 255, 255), Colour(255));
  EXPECT_EQ(Pixel(large, 0, 128), Colour(128));
  EXPECT_EQ(scene.textures[3].width, 1);
  EXPECT_EQ(Pixel(scene.textures[3], 0, 0), Colour(9));  // the record field's low byte
  EXPECT_EQ(Pixel(scene.textures[4], 0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(Pixel(scene.textures[4], 1, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(Pixel(scene.textures[5], 0, 0), Colour(77));  // from the game's archive
  // Only the damaged ones are named, each once; missing and model materials are not.
  ASSERT_EQ(scene.notices.size(), 3u);
  EXPECT_THAT(scene.notices[0],
              ::testing::StartsWith("Damaged material cut.mat: Read beyond end of file ("));
  EXPECT_EQ(scene.notices[1], "Damaged material notmat.mat: not a material");
  EXPECT_EQ(scene.notices[2], "Damaged material nocels.mat: it has no cels");
  EXPECT_EQ(scene.TextureOf(-1), 0);
  EXPECT_EQ(scene.TextureOf(11), 0);
}

TEST(SceneMaterialsTest, ADamagedResourceArchiveIsNamedAndOffersNothing) {
  test::TempDir game;
  std::vector<std::string> notices;
  EXPECT_THAT(ResourceIndex({{}, game.path() / "absent.gob"}, notices).ModelMaterials(), IsEmpty());
  EXPECT_THAT(notices, IsEmpty());

  const std::string directoryPastTheEnd("GOB \x14\0\0\0\xFF\xFF\0\0", 12);
  const auto damaged = game.Write("res2.gob", directoryPastTheEnd);
  const ResourceIndex index({{}, damaged}, notices);
  EXPECT_THAT(index.ModelMaterials(), IsEmpty());
  EXPECT_EQ(index.Read("mat\\a.mat", 100), std::nullopt);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_THAT(notices[0], ::testing::StartsWith("The game's resource archive cannot be read: "));
}

}  // namespace
}  // namespace kx::preview3d
