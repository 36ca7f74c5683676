#include "DemoLevel.h"
#include "DemoModels.h"
#include "building/BoxBuilder.h"
#include "building/LevelRules.h"

#include "level/Words.h"
#include "mapview/MapView.h"
#include "mapview/TemplateLookup.h"

#include <algorithm>
#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace kx::demo {
namespace {

using building::Vec3;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DemoLevelTest : public ::testing::Test {
 protected:
  DemoLevelTest() {
    for (int s = 0; s < L().sectors.count; ++s) {
      m_sectorOf.resize(m_sectorOf.size() + static_cast<std::size_t>(L().sectors[s].nsurfaces), s);
    }
  }

  const level::Level& L() const { return *m_level; }
  int SectorOf(int surface) const { return m_sectorOf.at(static_cast<std::size_t>(surface)); }

  std::unique_ptr<level::Level> m_level = BuildDemoLevel();
  std::vector<int> m_sectorOf;  // per surface
};

TEST_F(DemoLevelTest, KeepsTheGamesRules) {
  EXPECT_THAT(building::CheckLevelRules(L()), IsEmpty());
}

TEST_F(DemoLevelTest, LiesWholeInsideTheStartViewOfEveryView) {
  // The editor opens a level without moving the view; on a map panel of about 600 x 480 pixels
  // every vertex and thing must show at least one world unit inside the edges.
  const mapview::PanelSize panel{600, 480};
  const int margin = static_cast<int>(mapview::MapView::kStartScale);
  for (const auto view : {mapview::View::Top, mapview::View::Front, mapview::View::Right}) {
    auto map = mapview::MapView::AtStart(panel);
    map.SetView(view);
    const auto shows = [&](float x, float y, float z) {
      const auto p = map.ProjectPoint(x, y, z, panel);
      return p.x >= margin && p.x <= panel.width - margin && p.y >= margin &&
             p.y <= panel.height - margin;
    };
    for (int v = 0; v < L().vertices.count; ++v) {
      const auto& p = L().vertices[v];
      EXPECT_TRUE(shows(p.x, p.y, p.z)) << "view " << static_cast<int>(view) << ", vertex " << v;
    }
    for (int t = 0; t < L().things.count; ++t) {
      const auto& p = L().things[t];
      EXPECT_TRUE(shows(p.x, p.y, p.z)) << "view " << static_cast<int>(view) << ", thing " << t;
    }
  }
}

TEST_F(DemoLevelTest, JoinsHallDoorwayCorridorAtriumAndPitInThatOrder) {
  std::map<int, int> sectorOfAdjoin;
  for (int i = 0; i < L().surfaces.count; ++i) sectorOfAdjoin[L().surfaces[i].adjoin] = SectorOf(i);
  std::set<std::pair<int, int>> joined;
  for (int a = 0; a < L().adjoins.count; ++a) {
    joined.insert(std::minmax(sectorOfAdjoin[a], sectorOfAdjoin[L().adjoins[a].mirror]));
  }
  EXPECT_THAT(joined, ElementsAre(std::pair{kHallSector, kDoorwaySector},
                                  std::pair{kDoorwaySector, kCorridorSector},
                                  std::pair{kCorridorSector, kAtriumSector},
                                  std::pair{kAtriumSector, kPitSector}));
}

TEST_F(DemoLevelTest, MaterialsLieAtTheGamesTexelSizeUprightAndUnmirrored) {
  for (int i = 0; i < L().surfaces.count; ++i) {
    const auto& surface = L().surfaces[i];
    const auto& n = L().normals[static_cast<std::size_t>(i)];
    // On a wall, u runs to the right of someone facing it from inside and v downwards; floors
    // and ceilings run along x and against y, the ceiling seen from below.
    Vec3 u{n.z < 0 ? -1.0 : 1.0, 0, 0}, v{0, -1, 0};
    if (n.z == 0) {
      u = {-n.y, n.x, 0};
      v = {0, 0, -1};
    }
    for (int c = 0; c < surface.nverts; ++c) {
      const auto& corner = surface.vertices[static_cast<std::size_t>(c)];
      const auto& p = L().vertices[corner.vertex];
      const auto& t = L().texturevertices[corner.texvertex];
      EXPECT_NEAR(t.u, building::kTexelsPerUnit * Dot({p.x, p.y, p.z}, u), 1e-3) << "surface " << i;
      EXPECT_NEAR(t.v, building::kTexelsPerUnit * Dot({p.x, p.y, p.z}, v), 1e-3) << "surface " << i;
    }
  }
}

TEST_F(DemoLevelTest, CornersShowLightAndShade) {
  std::map<int, std::pair<float, float>> range;  // per sector: darkest and brightest corner
  for (int i = 0; i < L().surfaces.count; ++i) {
    const auto& surface = L().surfaces[i];
    if (surface.geo == 0) continue;  // openings are not drawn
    auto& [darkest, brightest] = range.try_emplace(SectorOf(i), 1.0f, 0.0f).first->second;
    for (int c = 0; c < surface.nverts; ++c) {
      darkest = std::min(darkest, surface.intensities[static_cast<std::size_t>(c)]);
      brightest = std::max(brightest, surface.intensities[static_cast<std::size_t>(c)]);
    }
  }
  for (const int lit : {kHallSector, kCorridorSector, kAtriumSector, kPitSector}) {
    EXPECT_GE(range[lit].second - range[lit].first, 0.15f) << "sector " << lit;
  }
  EXPECT_GE(range[kHallSector].second, 0.8f) << "the posts light the hall brightly";
}

TEST_F(DemoLevelTest, ThingsHaveModelsAndStandOnTheFloorOrACrate) {
  std::map<std::string, float> lowest;  // per model: its lowest point below its origin
  for (const building::ModelSpec& model : DemoModels()) {
    for (const building::ModelBox& box : model.boxes) {
      auto& bottom = lowest[level::ToUpperAscii(model.name)];
      bottom = std::min(bottom, static_cast<float>(box.min.z));
    }
  }
  const mapview::TemplateModelIndex index(L());
  std::map<std::string, int> counts;
  for (int t = 0; t < L().things.count; ++t) {
    const auto& thing = L().things[t];
    ++counts[thing.templateName];
    const auto found = index.Lookup(thing.templateName);
    ASSERT_NE(found.modelIndex, -1) << "thing " << t << " has no model";
    const float bottom = thing.z + lowest[level::ToUpperAscii(L().models[found.modelIndex].name)];
    bool supported = std::abs(bottom - L().sectors[thing.sector].boundbox[2]) < 1e-5f;
    for (int c = 0; c < L().things.count; ++c) {
      const auto& crate = L().things[c];
      supported |= crate.templateName == "crate" && std::abs(crate.z + 0.05f - bottom) < 1e-5f &&
                   std::abs(crate.x - thing.x) < 0.1f && std::abs(crate.y - thing.y) < 0.1f;
    }
    EXPECT_TRUE(supported) << "thing " << t << " floats at " << bottom;
  }
  EXPECT_EQ(counts["walkplayer"], 1) << "one start for the player";
}

}  // namespace
}  // namespace kx::demo
