#include "building/LevelRules.h"
#include "building/RampPalette.h"
#include "building/StarterLevel.h"
#include "support/FakeUi.h"
#include "support/LevelCompare.h"

#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "mapview/MapView.h"
#include "mapview/TemplateLookup.h"
#include "resources/Colormap.h"
#include "resources/MatFile.h"
#include "resources/ModelRadius.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

namespace kx::building {
namespace {

using ::testing::IsEmpty;

class StarterLevelTest : public ::testing::Test {
 protected:
  std::unique_ptr<level::Level> m_level = BuildStarterLevel("My Room");
  const level::Level& L() const { return *m_level; }
};

TEST_F(StarterLevelTest, IsOneClosedLitRoomWithAPlayerStartThatKeepsEveryRule) {
  EXPECT_THAT(CheckLevelRules(L()), IsEmpty());
  ASSERT_EQ(L().sectors.count, 1);
  EXPECT_EQ(L().surfaces.count, 6) << "floor, four walls, ceiling";
  EXPECT_EQ(L().adjoins.count, 0) << "closed: no way out";
  EXPECT_EQ(L().episode, (level::EpisodeInfo{"My Room", level::kEpisodeSinglePlayer}));
  EXPECT_EQ(L().copyright.count, 34) << "the game loads only levels with its notice";

  // The player stands on the floor; every thing's template is listed and the player's names
  // the model the level lists.
  const mapview::TemplateModelIndex templates(L());
  std::map<std::string, int> counts;
  for (int t = 0; t < L().things.count; ++t) {
    const auto& thing = L().things[t];
    ++counts[thing.templateName];
    EXPECT_NE(templates.Lookup(thing.templateName).templateIndex, -1) << thing.templateName;
  }
  EXPECT_EQ(counts, (std::map<std::string, int>{{"lamp", 1}, {"walkplayer", 1}}));
  EXPECT_EQ(L().things[0].z, static_cast<float>(kStarterRoomMin.z + 0.12));
  EXPECT_EQ(templates.Lookup("walkplayer").modelIndex, 0);
  EXPECT_GT(L().models[0].radius, 0.1f);

  // The lamp under the ceiling lights the walls: brighter near it than the sector's ambient.
  float darkest = 1, brightest = 0;
  for (int i = 0; i < L().surfaces.count; ++i) {
    const auto& surface = L().surfaces[i];
    for (int c = 0; c < surface.nverts; ++c) {
      darkest = std::min(darkest, surface.intensities[static_cast<std::size_t>(c)]);
      brightest = std::max(brightest, surface.intensities[static_cast<std::size_t>(c)]);
    }
  }
  EXPECT_GE(darkest, L().sectors[0].ambientlight);
  EXPECT_GE(brightest - darkest, 0.15f);
}

TEST_F(StarterLevelTest, SurvivesTheWriterAndTheReaderAndShowsWholeInEveryViewAtOpening) {
  test::FakeUi ui;
  const std::string text = level::FormatLevel(L(), "jkl\\myroom.jkl", "2000-01-01 00:00");
  auto read = std::make_unique<level::Level>();
  ASSERT_EQ(level::ParseLevel(text, "myroom.jkl", "myroom.jkl", *read, ui),
            level::ParseOutcome::Complete);
  EXPECT_EQ(test::FirstLevelDifference(L(), *read), "");
  EXPECT_THAT(ui.boxes, IsEmpty());
  EXPECT_THAT(ui.notes, IsEmpty());

  const mapview::PanelSize panel{600, 480};
  for (const auto view : {mapview::View::Top, mapview::View::Front, mapview::View::Right}) {
    auto map = mapview::MapView::AtStart(panel);
    map.SetView(view);
    for (int v = 0; v < L().vertices.count; ++v) {
      const auto& p = L().vertices[v];
      const auto pixel = map.ProjectPoint(p.x, p.y, p.z, panel);
      EXPECT_TRUE(pixel.x > 0 && pixel.x < panel.width && pixel.y > 0 && pixel.y < panel.height)
          << "view " << static_cast<int>(view) << ", vertex " << v;
    }
  }
}

TEST_F(StarterLevelTest, ItsResourcesAreEveryMaterialColormapAndModelItNames) {
  std::map<std::string, std::string> files;
  for (auto& file : StarterResources()) files[file.name] = std::move(file.bytes);
  EXPECT_EQ(files.size(), static_cast<std::size_t>(L().materials.count) + 2);
  for (int m = 0; m < L().materials.count; ++m) {
    const std::string name = L().materials[m].name;
    const auto mat = resources::DecodeMat(files["mat\\" + name], name);
    ASSERT_TRUE(mat.has_value()) << name;
    EXPECT_FALSE(mat->cels.empty()) << name;
  }
  EXPECT_EQ(resources::DecodeColormap(files["misc\\cmp\\" + L().colormaps[0]], "cmp"),
            RampPalette());
  resources::StringLineSource model(files["3do\\" + L().models[0].name]);
  EXPECT_NEAR(resources::Read3DORadius(model).value_or(0), L().models[0].radius, 1e-6);
}

}  // namespace
}  // namespace kx::building
