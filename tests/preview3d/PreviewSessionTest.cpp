#include "support/MapTestLevel.h"
#include "support/TempDir.h"

#include "preview3d/PreviewSession.h"
#include "resources/MatBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::preview3d {
namespace {

using mapview::EditMode;

/// A level with one solid square and things of the given templates at x = 10, 20, 30, ...
std::unique_ptr<test::MapTestLevel> LevelWithThings(const std::vector<std::string>& templates) {
  auto builder = std::make_unique<test::MapTestLevel>();
  level::Level& level = builder->level();
  level.texturevertices.count = 1;
  const int k = builder->Square(0, 0, 1, 1);
  level.surfaces[k].adjoin = -1;
  builder->Sector(0, 1);
  float x = 10;
  for (const auto& name : templates) {
    builder->Thing(name, x, 1, 2);
    x += 10;
  }
  return builder;
}

TEST(PreviewSessionTest, KeepsThePlayerStartFromOnePreviewToTheNext) {
  const struct {
    std::vector<std::vector<std::string>> levels;  // previewed one after the other
    int start;                                     // the player start of the last
    Vec3 camera;
  } cases[] = {
      {{{"crate", "WalkPlayer", "walkplayer"}}, 1, {20, 1, 2}},
      {{{"crate", "lamp"}}, 0, {10, 1, 2}},  // thing 0 at first
      {{{"crate", "crate", "walkplayer"}, {"crate", "lamp", "lamp"}}, 2, {30, 1, 2}},
      {{{"crate", "crate", "walkplayer"}, {"crate"}}, 2, {0, 0, 0}},  // no such thing: origin
      {{{}}, 0, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    PreviewSession session;
    for (const auto& templates : c.levels) {
      const auto builder = LevelWithThings(templates);
      session.Start(builder->level(), EditMode::Surface, {}, nullptr);
    }
    EXPECT_EQ(session.PlayerStart(), c.start) << c.levels.size();
    EXPECT_EQ(session.Walk().camera.Position().x, c.camera.x);
    EXPECT_EQ(session.Walk().camera.Position().z, c.camera.z);
  }
  // A thing slot that is not in use is no player start.
  const auto builder = LevelWithThings({"crate", "walkplayer"});
  builder->level().things[1].marks.empty = 1;
  EXPECT_EQ(FindPlayerStart(builder->level(), 5), 5);
}

TEST(PreviewSessionTest, ARebuildKeepsTheWalkAndAStartBeginsItAgain) {
  test::TempDir project;
  project.Write("mat/a.mat", test::MatBuilder::Colour().ColourCel(4).Bytes());
  const auto builder = LevelWithThings({"walkplayer"});
  level::Level& level = builder->level();
  level.materials[level.materials.count++] = {"a.mat", 1, 1};
  PreviewSession session;
  session.Start(level, EditMode::Surface, {project.path(), {}}, nullptr);
  EXPECT_THAT(session.Notices(), ::testing::ElementsAre("The level has no colormap: grey palette"));
  ASSERT_EQ(session.Scene().materials.textures.size(), 2u);
  session.Walk().PressKey(PreviewKey::Up, false);
  session.Walk().PressKey(PreviewKey::KeypadPlus, false);

  // An edit: a second surface, and the material's file changed on disk meanwhile.
  const int k = builder->Square(2, 0, 3, 1);
  level.surfaces[k].adjoin = -1;
  level.sectors[0].nsurfaces = 2;
  project.Write("mat/a.mat", "damaged");
  session.Rebuild(level, EditMode::Surface, false, nullptr);
  EXPECT_EQ(session.Scene().geometry.surfaces, 2);
  EXPECT_EQ(session.Scene().materials.textures.size(), 2u);  // materials were kept
  EXPECT_FLOAT_EQ(session.Walk().camera.Position().y, 1 + Navigation::kMoveStep);
  EXPECT_EQ(session.Walk().meshScale, 2.0f);

  session.Rebuild(level, EditMode::Surface, true, nullptr);
  EXPECT_EQ(session.Scene().materials.textures.size(), 1u);
  EXPECT_FLOAT_EQ(session.Walk().camera.Position().y, 1 + Navigation::kMoveStep);

  session.Start(level, EditMode::Surface, {project.path(), {}}, nullptr);
  EXPECT_FLOAT_EQ(session.Walk().camera.Position().y, 1);
  EXPECT_EQ(session.Walk().meshScale, 1.0f);
  session.Release();
  EXPECT_TRUE(session.Scene().geometry.vertices.empty());
  EXPECT_EQ(session.PlayerStart(), 0);
}

}  // namespace
}  // namespace kx::preview3d
