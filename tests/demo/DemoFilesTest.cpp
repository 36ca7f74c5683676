#include "DemoFiles.h"
#include "DemoLevel.h"
#include "DemoModels.h"
#include "DemoNames.h"
#include "GeneratedDemo.h"
#include "building/RampPalette.h"
#include "support/FakeUi.h"
#include "support/LevelCompare.h"
#include "support/TempDir.h"

#include "archive/Ungob.h"
#include "level/EpisodeFile.h"
#include "level/JklReader.h"
#include "platform/GamePaths.h"
#include "project/CogStrings.h"
#include "resources/Colormap.h"
#include "resources/MatFile.h"
#include "resources/ModelRadii.h"
#include "resources/ResourceLookup.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace kx::demo {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// The farthest of a 3DO text's vertices from the model's origin.
double FarthestVertex(const std::string& text) {
  const auto start = text.find("\nVERTICES ");
  std::istringstream lines(text.substr(start, text.find("\nTEXTURE VERTICES") - start));
  double farthest = 0;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line.substr(line.find(':') + 1));
    building::Vec3 v;
    if (line.find(':') != line.npos && line[0] != '#' && words >> v.x >> v.y >> v.z) {
      farthest = std::max(farthest, Length(v));
    }
  }
  return farthest;
}

// The mean colour of a material's first image, through the palette.
resources::Rgb MeanColour(const resources::Palette& palette, const std::string& matBytes) {
  const auto cel = resources::DecodeMat(matBytes, "mat").value().cels.at(0);
  const auto count = static_cast<std::size_t>(cel.width) * static_cast<std::size_t>(cel.height);
  double r = 0, g = 0, b = 0;
  for (std::size_t i = 0; i < count; ++i) {
    r += palette[cel.pixels[i]].red;
    g += palette[cel.pixels[i]].green;
    b += palette[cel.pixels[i]].blue;
  }
  const auto n = static_cast<double>(count);
  return {static_cast<std::uint8_t>(r / n), static_cast<std::uint8_t>(g / n),
          static_cast<std::uint8_t>(b / n)};
}

// The level archive unpacked as a project holds it, beside the generated game folder.
class DemoFilesTest : public ::testing::Test {
 protected:
  DemoFilesTest() {
    archive::Ungob((test::GeneratedDemo() / kLevelArchive).string(), ProjectDir(), m_ui);
  }

  fs::path ProjectDir() const { return m_temp.path() / "project"; }
  static fs::path Res2() { return test::GeneratedDemo() / "game" / "resource" / "res2.gob"; }

  std::unique_ptr<level::Level> ReadBack() {
    auto read = std::make_unique<level::Level>();
    level::ReadLevel(*read, ProjectDir() / "jkl" / kJklName, std::string(kJklName), m_ui);
    level::ReadEpisode(read->episode, ProjectDir() / "episode.jk");
    return read;
  }

  std::string Resource(const std::string& name) const {
    const auto bytes = resources::ReadGameResource(name, {ProjectDir(), Res2()});
    EXPECT_TRUE(bytes.has_value()) << name << " is not in the demo's archives";
    return bytes.value_or("");
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
}

TEST_F(DemoFilesTest, LevelReadsBackAsBuiltUnderItsName) {
  const auto built = BuildDemoLevel();
  const auto read = ReadBack();
  EXPECT_EQ(kx::test::FirstLevelDifference(*built, *read), "");  // counts and every record
  EXPECT_EQ(read->episode, built->episode);
  EXPECT_EQ(project::LevelNameFromCogStrings(
                platform::ResolveIgnoringCase(ProjectDir(), "misc\\cogstrings.uni"), kJklName),
            kLevelTitle);
  EXPECT_THAT(m_ui.boxes, IsEmpty());
}

TEST_F(DemoFilesTest, EveryMaterialColormapModelSoundAndCogTheLevelNamesIsInTheArchives) {
  auto level = ReadBack();
  for (int m = 0; m < level->materials.count; ++m) {
    const std::string name = level->materials[m].name;
    const auto mat = resources::DecodeMat(Resource("mat\\" + name), name);
    ASSERT_TRUE(mat.has_value()) << name;
    std::set<std::vector<std::uint8_t>> distinctCels;
    for (const auto& cel : mat->cels) {
      distinctCels.insert(cel.pixels);
      if (mat->IsTexture()) {
        EXPECT_EQ(std::tuple(cel.width, cel.height, cel.mips), std::tuple(64, 64, 4)) << name;
      }
    }
    EXPECT_EQ(distinctCels.size(), name == kLightsMat ? 4u : 1u)
        << name << ": only the lamps animate";
  }
  const std::string colormap = Resource("misc\\cmp\\" + level->colormaps[0]);
  EXPECT_EQ(colormap.size(), 64u + 768 + 64 * 256 + 256 * 256) << "header, palette and tables";
  EXPECT_EQ(resources::DecodeColormap(colormap, "dflt.cmp"), building::RampPalette());

  // Models are sized by their RADIUS lines, which must reach their farthest vertex.
  resources::Parse3DOs(*level, ProjectDir(), Res2(), m_ui);
  EXPECT_THAT(m_ui.boxes, IsEmpty());
  ASSERT_EQ(level->models.count, 3);
  for (int m = 0; m < level->models.count; ++m) {
    const std::string name = level->models[m].name;
    EXPECT_NEAR(level->models[m].radius, FarthestVertex(Resource("3do\\" + name)), 1e-6) << name;
  }
  for (const building::ModelSpec& model : DemoModels()) {
    for (const auto& material : model.materials) Resource("mat\\" + material);
  }
  EXPECT_EQ(Resource("sound\\" + level->sectors[kHallSector].sound).substr(0, 4), "RIFF");
  EXPECT_THAT(Resource("cog\\" + level->cogscripts[0]), HasSubstr("symbols"));
}

TEST_F(DemoFilesTest, MaterialsLookLikeWhatTheyAre) {
  const auto palette = resources::DecodeColormap(Resource("misc\\cmp\\dflt.cmp"), "dflt.cmp");
  const auto mean = [&](std::string_view name) {
    return MeanColour(palette, Resource("mat\\" + std::string(name)));
  };
  const auto brick = mean(kBrickMat), floor = mean(kFloorMat), metal = mean(kMetalMat);
  const auto sky = mean(kSkyMat), crate = mean(kCrateMat), lights = mean(kLightsMat);
  EXPECT_GT(brick.red, 1.5 * brick.green) << "bricks are red";
  EXPECT_TRUE(floor.red > floor.green && floor.green > floor.blue) << "tiles are sandy";
  EXPECT_TRUE(metal.blue > metal.red && metal.blue - metal.red < 50) << "steel is bluish grey";
  EXPECT_GT(sky.blue, sky.red + 60) << "the sky is blue";
  EXPECT_TRUE(crate.red > crate.green && crate.green > crate.blue + 20) << "crates are wooden";
  EXPECT_GT(lights.red, lights.blue) << "the lamps are amber";
}

}  // namespace
}  // namespace kx::demo
