#include "BoxBuilder.h"
#include "DemoLevel.h"
#include "DemoModels.h"
#include "DemoNames.h"
#include "LevelRules.h"

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

using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class DemoLevelTest : public ::testing::Test {
 protected:
  const level::Level& L() const { return *m_level; }

  int SectorOfSurface(int surface) const {
    for (int s = 0; s < L().sectors.count; ++s) {
      const auto& sector = L().sectors[s];
      if (surface >= sector.firstsurface && surface < sector.firstsurface + sector.nsurfaces) {
        return s;
      }
    }
    return -1;
  }

  float Height(int s) const { return L().sectors[s].boundbox[5] - L().sectors[s].boundbox[2]; }

  std::unique_ptr<level::Level> m_level = BuildDemoLevel();
};

TEST_F(DemoLevelTest, KeepsTheGamesRules) {
  EXPECT_THAT(CheckLevelRules(L()), IsEmpty());
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

TEST_F(DemoLevelTest, HasTwoRoomsOfDifferentHeightsACorridorADoorwayAndAPit) {
  ASSERT_EQ(L().sectors.count, 5);
  EXPECT_GT(Height(kAtriumSector), Height(kHallSector) + 0.3f);
  // A doorway the player fits through, no more; it leads along x.
  const auto& door = L().sectors[kDoorwaySector].boundbox;
  EXPECT_LE(door[4] - door[1], 0.35f);
  EXPECT_GE(door[4] - door[1], 0.2f);
  EXPECT_LE(Height(kDoorwaySector), 0.4f);
  EXPECT_LT(Height(kDoorwaySector), Height(kCorridorSector));
  const auto& corridor = L().sectors[kCorridorSector].boundbox;
  EXPECT_GE(corridor[3] - corridor[0], 2.5f * (corridor[4] - corridor[1]));
  // The pit opens in the atrium's floor and reaches well below it.
  const auto& pit = L().sectors[kPitSector].boundbox;
  EXPECT_EQ(pit[5], L().sectors[kAtriumSector].boundbox[2]);
  EXPECT_GE(pit[5] - pit[2], 0.5f);

  std::set<std::pair<int, int>> joined;
  for (int i = 0; i < L().surfaces.count; ++i) {
    const int adjoin = L().surfaces[i].adjoin;
    if (adjoin == -1) continue;
    for (int j = 0; j < L().surfaces.count; ++j) {
      if (L().surfaces[j].adjoin == L().adjoins[adjoin].mirror) {
        joined.emplace(SectorOfSurface(i), SectorOfSurface(j));
      }
    }
  }
  EXPECT_THAT(joined, UnorderedElementsAre(std::pair{0, 1}, std::pair{1, 0}, std::pair{1, 2},
                                           std::pair{2, 1}, std::pair{2, 3}, std::pair{3, 2},
                                           std::pair{3, 4}, std::pair{4, 3}));
}

TEST_F(DemoLevelTest, OneSectorIsTintedAndOneHumsWithAListedSound) {
  int tinted = 0, sounding = 0;
  for (int s = 0; s < L().sectors.count; ++s) {
    const auto& sector = L().sectors[s];
    if (sector.tint[0] + sector.tint[1] + sector.tint[2] > 0) ++tinted;
    if (sector.hassound == 1) {
      ++sounding;
      EXPECT_EQ(sector.sound, kHumSound);
      EXPECT_GT(sector.soundvolume, 0);
    }
  }
  EXPECT_GE(tinted, 1);
  EXPECT_GE(sounding, 1);
  ASSERT_EQ(L().sounds.count, 1);
  EXPECT_EQ(L().sounds[0], kHumSound);
}

TEST_F(DemoLevelTest, MaterialsLieAtTheGamesTexelSizeUprightAndUnmirrored) {
  const Vec3 up{0, 0, 1};
  for (int i = 0; i < L().surfaces.count; ++i) {
    const auto& surface = L().surfaces[i];
    const auto& n = L().normals[static_cast<std::size_t>(i)];
    const Vec3 normal{n.x, n.y, n.z};
    // On a wall, u runs to the right of someone facing it from inside and v downwards; floors
    // and ceilings run along x and against y, the ceiling seen from below.
    Vec3 uDirection{1, 0, 0}, vDirection{0, -1, 0};
    if (n.z == 0) {
      uDirection = Cross(normal * -1, up);
      vDirection = up * -1;
    } else if (n.z < 0) {
      uDirection = {-1, 0, 0};
    }
    for (int c = 0; c < surface.nverts; ++c) {
      const auto& corner = surface.vertices[static_cast<std::size_t>(c)];
      const auto& v = L().vertices[corner.vertex];
      const auto& t = L().texturevertices[corner.texvertex];
      const Vec3 p{v.x, v.y, v.z};
      EXPECT_NEAR(t.u, kTexelsPerUnit * Dot(p, uDirection), 1e-3) << "surface " << i;
      EXPECT_NEAR(t.v, kTexelsPerUnit * Dot(p, vDirection), 1e-3) << "surface " << i;
    }
  }
}

TEST_F(DemoLevelTest, CornersShowLightAndShade) {
  std::map<int, std::pair<float, float>> range;  // per sector: darkest and brightest corner
  for (int i = 0; i < L().surfaces.count; ++i) {
    const auto& surface = L().surfaces[i];
    if (surface.geo == 0) continue;  // openings are not drawn
    auto [it, added] = range.try_emplace(SectorOfSurface(i), 1.0f, 0.0f);
    for (int c = 0; c < surface.nverts; ++c) {
      const float light = surface.intensities[static_cast<std::size_t>(c)];
      EXPECT_GE(light, 0) << "surface " << i;
      EXPECT_LE(light, 1) << "surface " << i;
      it->second = {std::min(it->second.first, light), std::max(it->second.second, light)};
    }
  }
  for (const int lit : {kHallSector, kCorridorSector, kAtriumSector, kPitSector}) {
    EXPECT_GE(range[lit].second - range[lit].first, 0.15f) << "sector " << lit;
  }
  EXPECT_GE(range[kHallSector].second, 0.8f);
  EXPECT_LE(range[kHallSector].first, 0.3f);
  EXPECT_LT(range[kPitSector].first, range[kAtriumSector].first);
}

TEST_F(DemoLevelTest, ThingsAreThePlayerCratesAndLightPostsStandingOnFloorOrCrate) {
  std::map<std::string, float> lowest;  // per model: its lowest point below its origin
  for (const ModelSpec& model : DemoModels()) {
    float bottom = 0;
    for (const ModelBox& box : model.boxes)
      bottom = std::min(bottom, static_cast<float>(box.min.z));
    lowest[level::ToUpperAscii(model.name)] = bottom;
  }
  std::vector<std::string> models;
  for (int m = 0; m < L().models.count; ++m) models.push_back(L().models[m].name);
  EXPECT_THAT(models, UnorderedElementsAre(kCrateModel, kPlayerModel, kLightPostModel));

  const mapview::TemplateModelIndex index(L());
  std::map<std::string, int> counts;
  std::vector<std::array<float, 3>> crateTops;
  for (int t = 0; t < L().things.count; ++t) {
    const auto& thing = L().things[t];
    if (thing.templateName == "crate") crateTops.push_back({thing.x, thing.y, thing.z + 0.05f});
  }
  for (int t = 0; t < L().things.count; ++t) {
    const auto& thing = L().things[t];
    ++counts[thing.templateName];
    const auto found = index.Lookup(thing.templateName);
    ASSERT_NE(found.modelIndex, -1) << "thing " << t << " has no model";
    const float bottom = thing.z + lowest[level::ToUpperAscii(L().models[found.modelIndex].name)];
    const bool onFloor = std::abs(bottom - L().sectors[thing.sector].boundbox[2]) < 1e-5f;
    const bool onCrate = std::any_of(crateTops.begin(), crateTops.end(), [&](const auto& top) {
      return std::abs(top[2] - bottom) < 1e-5f && std::abs(top[0] - thing.x) < 0.1f &&
             std::abs(top[1] - thing.y) < 0.1f;
    });
    EXPECT_TRUE(onFloor || onCrate) << "thing " << t << " floats at " << bottom;
    EXPECT_EQ(thing.sector, SectorContaining(L(), thing.x, thing.y, thing.z)) << "thing " << t;
  }
  EXPECT_EQ(counts["walkplayer"], 1);
  EXPECT_GE(counts["crate"], 3);
  EXPECT_GE(counts["lightpost"], 4);
  EXPECT_EQ(L().things[0].sector, kHallSector) << "the player starts in the hall";
}

TEST_F(DemoLevelTest, TheCogIsGivenThePitAndADelay) {
  ASSERT_EQ(L().cogscripts.count, 1);
  ASSERT_EQ(L().cogs.count, 1);
  const auto& cog = L().cogs[0];
  EXPECT_EQ(cog.script, L().cogscripts[0]);
  ASSERT_EQ(cog.params.size(), 2u);
  EXPECT_EQ(cog.params[0].kind, level::CogParamKind::Integer);
  EXPECT_EQ(cog.params[0].intvalue, kPitSector);
  EXPECT_EQ(cog.params[1].kind, level::CogParamKind::Float);
  EXPECT_EQ(cog.params[1].floatvalue, 2.0f);
}

}  // namespace
}  // namespace kx::demo
