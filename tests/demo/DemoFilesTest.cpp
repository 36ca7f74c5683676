#include "DemoFiles.h"
#include "DemoLevel.h"
#include "DemoModels.h"
#include "DemoNames.h"
#include "DemoPalette.h"
#include "GeneratedDemo.h"
#include "support/FakeUi.h"
#include "support/LevelCompare.h"
#include "support/TempDir.h"

#include "archive/GobDirectory.h"
#include "archive/Ungob.h"
#include "level/EpisodeFile.h"
#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "level/Words.h"
#include "platform/GamePaths.h"
#include "project/CogStrings.h"
#include "resources/Colormap.h"
#include "resources/MatFile.h"
#include "resources/ModelRadii.h"
#include "resources/ResourceLookup.h"

#include <algorithm>
#include <array>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

namespace kx::demo {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DemoFilesTest : public ::testing::Test {
 protected:
  DemoFilesTest() {
    // The level archive unpacked as a project holds it.
    archive::Ungob((test::GeneratedDemo() / kLevelArchive).string(), ProjectDir(), m_ui);
  }

  fs::path ProjectDir() const { return m_temp.path() / "project"; }
  static fs::path Res2() { return test::GeneratedDemo() / "game" / "resource" / "res2.gob"; }
  resources::ResourcePaths Paths() const { return {ProjectDir(), Res2()}; }

  std::unique_ptr<level::Level> ReadBack() {
    auto read = std::make_unique<level::Level>();
    level::ReadLevel(*read, ProjectDir() / "jkl" / kJklName, std::string(kJklName), m_ui);
    level::ReadEpisode(read->episode, ProjectDir() / "episode.jk");
    return read;
  }

  std::string Resource(const std::string& name) const {
    const auto bytes = resources::ReadGameResource(name, Paths());
    EXPECT_TRUE(bytes.has_value()) << name << " is not in the demo's archives";
    return bytes.value_or("");
  }

  std::vector<std::string> EntryNames(const fs::path& archivePath) const {
    std::vector<std::string> names;
    for (const auto& entry : archive::ReadGobDirectory(archivePath)) names.push_back(entry.name);
    return names;
  }

  kx::test::TempDir m_temp;
  kx::test::FakeUi m_ui;
};

TEST_F(DemoFilesTest, WritesTheGameFolderAndTheLevelArchiveAndNothingElse) {
  std::vector<std::string> written;
  for (const auto& entry : fs::recursive_directory_iterator(test::GeneratedDemo())) {
    written.push_back(fs::relative(entry.path(), test::GeneratedDemo()).generic_string());
  }
  std::sort(written.begin(), written.end());
  EXPECT_THAT(written, ElementsAre("DemoStation.gob", "game", "game/episode", "game/resource",
                                   "game/resource/res2.gob"));
  EXPECT_TRUE(fs::is_directory(test::GeneratedDemo() / "game" / "episode"));
  EXPECT_THAT(EntryNames(Res2()),
              ElementsAre("3do\\dm_crate.3do", "3do\\dm_lightpost.3do", "3do\\dm_player.3do",
                          "mat\\dm_brick.mat", "mat\\dm_crate.mat", "mat\\dm_floor.mat",
                          "mat\\dm_glow.mat", "mat\\dm_lights.mat", "mat\\dm_metal.mat",
                          "mat\\dm_sky.mat", "misc\\cmp\\dflt.cmp", "sound\\dm_hum.wav"));
  EXPECT_THAT(
      EntryNames(test::GeneratedDemo() / kLevelArchive),
      ElementsAre("cog\\dm_station.cog", "episode.jk", "jkl\\demo.jkl", "misc\\cogstrings.uni"));
}

TEST_F(DemoFilesTest, LevelReadsBackAsBuiltAndSurvivesAWriteReadRoundTrip) {
  const auto built = BuildDemoLevel();
  const auto read = ReadBack();
  EXPECT_EQ(kx::test::FirstLevelDifference(*built, *read), "");
  EXPECT_EQ(read->episode, built->episode);
  const std::array<std::pair<int, int>, 8> counts{{
      {read->sectors.count, 5},
      {read->surfaces.count, built->surfaces.count},
      {read->vertices.count, built->vertices.count},
      {read->adjoins.count, built->adjoins.count},
      {read->texturevertices.count, built->texturevertices.count},
      {read->things.count, built->things.count},
      {read->templates.count, built->templates.count},
      {read->copyright.count, 34},
  }};
  for (const auto& [got, expected] : counts) EXPECT_EQ(got, expected);

  const std::string text = level::FormatLevel(*read, "again.jkl", "2000-01-01 00:00");
  auto again = std::make_unique<level::Level>();
  ASSERT_EQ(level::ParseLevel(text, "again.jkl", "again.jkl", *again, m_ui),
            level::ParseOutcome::Complete);
  EXPECT_EQ(kx::test::FirstLevelDifference(*read, *again), "");
  EXPECT_EQ(level::FormatLevel(*again, "again.jkl", "2000-01-01 00:00"), text);
  EXPECT_THAT(m_ui.boxes, IsEmpty());
}

TEST_F(DemoFilesTest, EveryMaterialColormapAndModelTheLevelNamesIsInTheArchives) {
  auto level = ReadBack();
  int textures = 0, colours = 0;
  for (int m = 0; m < level->materials.count; ++m) {
    const std::string name = level->materials[m].name;
    const auto mat = resources::DecodeMat(Resource("mat\\" + name), name);
    ASSERT_TRUE(mat.has_value()) << name;
    if (!mat->IsTexture()) {
      ++colours;
      continue;
    }
    ++textures;
    for (const auto& cel : mat->cels) {
      EXPECT_EQ(cel.width, kTextureSide) << name;
      EXPECT_EQ(cel.height, kTextureSide) << name;
      EXPECT_EQ(cel.mips, kTextureMips) << name;
    }
    if (name == kLightsMat) {
      ASSERT_EQ(mat->cels.size(), 4u);
      for (std::size_t a = 0; a < 4; ++a) {
        for (std::size_t b = a + 1; b < 4; ++b) {
          EXPECT_NE(mat->cels[a].pixels, mat->cels[b].pixels) << "cels " << a << " and " << b;
        }
      }
    }
  }
  EXPECT_GE(textures, 6);
  EXPECT_GE(colours, 1);

  for (int c = 0; c < level->colormaps.count; ++c) {
    const std::string name = "misc\\cmp\\" + level->colormaps[c];
    EXPECT_EQ(resources::DecodeColormap(Resource(name), name), DemoPalette());
  }

  std::map<std::string, double> radii;
  for (const ModelSpec& model : DemoModels()) {
    radii[model.name] = ModelRadius(model);
    for (const auto& material : model.materials) {
      Resource("mat\\" + material);
      bool listed = false;
      for (int m = 0; m < level->materials.count; ++m) {
        listed |= level::EqualsIgnoringCase(level->materials[m].name, material);
      }
      EXPECT_TRUE(listed) << model.name << " uses " << material << ", which the level omits";
    }
  }
  resources::Parse3DOs(*level, ProjectDir(), Res2(), m_ui);
  EXPECT_THAT(m_ui.boxes, IsEmpty());
  ASSERT_EQ(level->models.count, 3);
  for (int m = 0; m < level->models.count; ++m) {
    EXPECT_NEAR(level->models[m].radius, radii.at(level->models[m].name), 1e-6);
  }

  for (int s = 0; s < level->sectors.count; ++s) {
    if (level->sectors[s].hassound) {
      EXPECT_EQ(Resource("sound\\" + level->sectors[s].sound).substr(0, 4), "RIFF");
    }
  }
  for (int c = 0; c < level->cogscripts.count; ++c) {
    EXPECT_THAT(Resource("cog\\" + level->cogscripts[c]), ::testing::HasSubstr("symbols"));
  }
}

TEST_F(DemoFilesTest, StringTableNamesTheLevel) {
  EXPECT_EQ(project::LevelNameFromCogStrings(
                platform::ResolveIgnoringCase(ProjectDir(), "misc\\cogstrings.uni"), kJklName),
            kLevelTitle);
}

// The mean colour of a texture's mip-map level through the palette.
resources::Rgb MeanColour(const resources::Palette& palette, const resources::Cel& cel, int level) {
  std::size_t offset = 0;
  for (int k = 0; k < level; ++k) {
    offset += static_cast<std::size_t>(cel.width >> k) * static_cast<std::size_t>(cel.height >> k);
  }
  const std::size_t count =
      static_cast<std::size_t>(cel.width >> level) * static_cast<std::size_t>(cel.height >> level);
  double r = 0, g = 0, b = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const auto& rgb = palette[cel.pixels[offset + i]];
    r += rgb.red;
    g += rgb.green;
    b += rgb.blue;
  }
  return {static_cast<std::uint8_t>(r / count), static_cast<std::uint8_t>(g / count),
          static_cast<std::uint8_t>(b / count)};
}

TEST_F(DemoFilesTest, MaterialsLookLikeWhatTheyAreAtEveryMipLevel) {
  const auto palette = resources::DecodeColormap(Resource("misc\\cmp\\dflt.cmp"), "dflt.cmp");
  std::map<std::string, resources::Rgb> mean;
  for (const auto name : {kBrickMat, kFloorMat, kMetalMat, kSkyMat, kCrateMat, kLightsMat}) {
    const auto mat = resources::DecodeMat(Resource("mat\\" + std::string(name)), "mat");
    ASSERT_TRUE(mat.has_value());
    const auto& cel = mat->cels[0];
    mean[std::string(name)] = MeanColour(palette, cel, 0);
    // Smaller levels keep the look of the largest.
    for (int level = 1; level < cel.mips; ++level) {
      const auto smaller = MeanColour(palette, cel, level);
      const auto& full = mean[std::string(name)];
      EXPECT_NEAR(smaller.red, full.red, 12) << name << " level " << level;
      EXPECT_NEAR(smaller.green, full.green, 12) << name << " level " << level;
      EXPECT_NEAR(smaller.blue, full.blue, 12) << name << " level " << level;
    }
  }
  const auto brick = mean[std::string(kBrickMat)];
  EXPECT_GT(brick.red, 1.5 * brick.green) << "bricks are red";
  const auto floor = mean[std::string(kFloorMat)];
  EXPECT_TRUE(floor.red > floor.green && floor.green > floor.blue) << "tiles are sandy";
  const auto metal = mean[std::string(kMetalMat)];
  EXPECT_TRUE(metal.blue > metal.red && metal.blue - metal.red < 50) << "steel is bluish grey";
  const auto sky = mean[std::string(kSkyMat)];
  EXPECT_GT(sky.blue, sky.red + 60) << "the sky is blue";
  const auto crate = mean[std::string(kCrateMat)];
  EXPECT_TRUE(crate.red > crate.green && crate.green > crate.blue + 20) << "crates are wooden";
  const auto lights = mean[std::string(kLightsMat)];
  EXPECT_GT(lights.red, lights.blue) << "the lamps are amber";
}

TEST_F(DemoFilesTest, ColormapDarkensEveryColourOverItsLightLevels) {
  const std::string cmp = Resource("misc\\cmp\\dflt.cmp");
  ASSERT_EQ(cmp.size(), 64u + 768 + 64 * 256 + 256 * 256);
  const auto palette = resources::DecodeColormap(cmp, "dflt.cmp");
  const auto entry = [&](std::size_t level, std::size_t colour) {
    return static_cast<unsigned char>(cmp[832 + level * 256 + colour]);
  };
  const auto brightness = [&](std::size_t index) {
    return palette[index].red + palette[index].green + palette[index].blue;
  };
  for (std::size_t colour = 0; colour < 256; ++colour) {
    EXPECT_EQ(entry(63, colour), colour) << "full light keeps the colour";
    EXPECT_EQ(brightness(entry(0, colour)), 0) << "no light is black";
    if (brightness(colour) > 150) {
      EXPECT_GT(brightness(entry(32, colour)), brightness(colour) * 3 / 10) << colour;
      EXPECT_LT(brightness(entry(32, colour)), brightness(colour) * 7 / 10) << colour;
    }
  }
  const std::size_t blend = 832 + 64 * 256;
  for (std::size_t a = 0; a < 256; a += 17) {
    EXPECT_EQ(palette[static_cast<unsigned char>(cmp[blend + a * 256 + a])], palette[a]);
    for (std::size_t b = 0; b < 256; b += 13) {
      EXPECT_EQ(cmp[blend + a * 256 + b], cmp[blend + b * 256 + a]);
    }
  }
}

}  // namespace
}  // namespace kx::demo
