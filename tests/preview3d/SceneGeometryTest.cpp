#include "support/MapTestLevel.h"

#include "preview3d/SceneGeometry.h"
#include "preview3d/Vec3.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>

namespace kx::preview3d {
namespace {

using mapview::EditMode;
using ::testing::ElementsAre;
using ::testing::FloatEq;

/// A solid unit square at x = x0 .. x0 + 1 in the plane z = 0, corners counter-clockwise seen
/// from above, normal up, texture vertex 0 at every corner.
int SolidSquare(test::MapTestLevel& builder, float x0) {
  level::Level& level = builder.level();
  if (level.texturevertices.count == 0) level.texturevertices.count = 1;
  const int k = builder.Square(x0, 0, x0 + 1, 1);
  level.surfaces[k].adjoin = -1;
  level.normals[static_cast<std::size_t>(k)] = {0, 0, 1};
  return k;
}

/// The x of the left edge of every square drawn (its surface's place in the test level).
std::set<int> DrawnSquares(const SceneGeometry& scene) {
  std::set<int> drawn;
  for (const std::uint32_t index : scene.indices) {
    drawn.insert(static_cast<int>(std::floor(scene.vertices[index].x + 0.5f)) / 2);
  }
  return drawn;
}

SceneMaterials FallbackOnly() {
  SceneMaterials materials;
  materials.textures.push_back({1, 1, {255, 255, 255}});
  return materials;
}

TEST(SceneGeometryTest, DrawsTheSolidSurfacesOfEachModesShownSectors) {
  // Six squares, one each at x = 0, 2, 4, ...; squares 0-2 in sector 0, 3-5 in sector 1.
  test::MapTestLevel builder;
  level::Level& level = builder.level();
  for (int i = 0; i < 6; ++i) SolidSquare(builder, 2.0f * static_cast<float>(i));
  builder.Sector(0, 3);
  builder.Sector(3, 3);
  level.surfaces[1].adjoin = 0;         // a passage into another sector
  level.surfaces[2].marks.visible = 0;  // hidden in the Surface mode
  level.sectors[1].marks.visible = 0;   // hidden in the Sector mode
  level.surfaces[4].marks.empty = 1;    // no record

  const struct {
    EditMode mode;
    std::set<int> drawn;
  } cases[] = {
      {EditMode::Surface, {0, 3, 5}},
      {EditMode::Sector, {0, 2}},
      {EditMode::Vertex, {0, 2, 3, 5}},
      {EditMode::Thing, {0, 2, 3, 5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    const SceneGeometry scene = BuildSceneGeometry(level, c.mode, FallbackOnly(), nullptr);
    EXPECT_EQ(DrawnSquares(scene), c.drawn);
    EXPECT_EQ(scene.surfaces, static_cast<int>(c.drawn.size()));
  }
}

TEST(SceneGeometryTest, SkipsSurfacesThatNameRecordsOutsideTheirTables) {
  test::MapTestLevel builder;
  level::Level& level = builder.level();
  for (int i = 0; i < 6; ++i) SolidSquare(builder, 2.0f * static_cast<float>(i));
  level.surfaces[1].nverts = 2;                  // a line, not a polygon
  level.surfaces[2].vertices[3].vertex = 99999;  // past the vertex table
  level.surfaces[3].vertices[0].texvertex = 5;   // past the texture vertices in use
  level.surfaces[4].vertices[1].vertex = -1;
  // A sector whose range runs past the surfaces, and one that starts before them.
  builder.Sector(0, 1000);
  builder.Sector(-3, 5);

  const SceneGeometry scene = BuildSceneGeometry(level, EditMode::Surface, FallbackOnly(), nullptr);

  EXPECT_EQ(DrawnSquares(scene), (std::set<int>{0, 5}));
  EXPECT_EQ(scene.surfaces, 3);  // square 0 is listed by both sectors
}

TEST(SceneGeometryTest, LightsCornersWithTheirSectorsExtraLightAndScalesTextureVertices) {
  test::MapTestLevel builder;
  level::Level& level = builder.level();
  const int k = SolidSquare(builder, 0);
  const int fallback = SolidSquare(builder, 2);
  builder.Sector(0, 2);
  level.sectors[0].extralight = 0.5f;
  level.surfaces[k].intensities = {0.2f, 0.0f, 1.0f, 0.3f};
  level.texturevertices[0] = {16, 8};
  level.texturevertices[1] = {-64, 48};
  level.texturevertices.count = 2;
  level.surfaces[k].vertices[2].texvertex = 1;
  level.surfaces[fallback].vertices[2].texvertex = 1;
  level.surfaces[k].mat = 0;
  level.surfaces[fallback].mat = 7;  // outside the materials: the fallback colour
  SceneMaterials materials = FallbackOnly();
  materials.textures.push_back({64, 32, std::vector<std::uint8_t>(64 * 32 * 3)});
  materials.materialTexture = {1};

  const SceneGeometry scene = BuildSceneGeometry(level, EditMode::Surface, materials, nullptr);

  ASSERT_EQ(scene.vertices.size(), 8u);
  std::vector<float> greys;
  for (int j = 0; j < 4; ++j) greys.push_back(scene.vertices[static_cast<std::size_t>(j)].grey);
  EXPECT_THAT(greys, ElementsAre(FloatEq(0.7f), FloatEq(0.5f), FloatEq(1.5f), FloatEq(0.8f)));
  // Texture vertices count texels: a 64 x 32 texture divides them by its size...
  EXPECT_FLOAT_EQ(scene.vertices[0].u, 0.25f);
  EXPECT_FLOAT_EQ(scene.vertices[0].v, 0.25f);
  EXPECT_FLOAT_EQ(scene.vertices[2].u, -1.0f);
  EXPECT_FLOAT_EQ(scene.vertices[2].v, 1.5f);
  // ... the one-pixel fallback leaves them as they are.
  EXPECT_FLOAT_EQ(scene.vertices[6].u, -64.0f);
  EXPECT_FLOAT_EQ(scene.vertices[6].v, 48.0f);
  EXPECT_FLOAT_EQ(scene.vertices[4].nz, 1.0f);
}

TEST(SceneGeometryTest, GathersEachTexturesTrianglesIntoOneBatch) {
  test::MapTestLevel builder;
  level::Level& level = builder.level();
  const int mats[] = {2, 1, 2, 0, 1};
  for (int i = 0; i < 5; ++i) {
    level.surfaces[SolidSquare(builder, 2.0f * static_cast<float>(i))].mat = mats[i];
  }
  builder.Sector(0, 5);
  SceneMaterials materials = FallbackOnly();
  for (int t = 0; t < 3; ++t) materials.textures.push_back({2, 2, std::vector<std::uint8_t>(12)});
  materials.materialTexture = {1, 2, 3};

  const SceneGeometry scene = BuildSceneGeometry(level, EditMode::Surface, materials, nullptr);

  ASSERT_EQ(scene.batches.size(), 3u);
  std::uint32_t next = 0;
  for (const SceneBatch& batch : scene.batches) {
    EXPECT_EQ(batch.firstIndex, next);
    next += batch.indexCount;
    std::set<int> squares;
    for (std::uint32_t i = batch.firstIndex; i < batch.firstIndex + batch.indexCount; ++i) {
      squares.insert(static_cast<int>(scene.vertices[scene.indices[i]].x + 0.5f) / 2);
    }
    // Each batch holds exactly the squares of its material.
    std::set<int> expected;
    for (int i = 0; i < 5; ++i) {
      if (materials.TextureOf(mats[i]) == batch.texture) expected.insert(i);
    }
    EXPECT_EQ(squares, expected) << "texture " << batch.texture;
  }
  EXPECT_EQ(next, scene.indices.size());
}

// The normal of triangle (a, b, c) by its corner order.
Vec3 TriangleNormal(const SceneGeometry& scene, std::size_t first) {
  const auto at = [&](std::size_t i) {
    const SceneVertex& v = scene.vertices[scene.indices[first + i]];
    return Vec3{v.x, v.y, v.z};
  };
  return Cross(at(1) - at(0), at(2) - at(0));
}

TEST(SceneGeometryTest, TurnsEveryTriangleToFaceWhereItsSurfacesNormalPoints) {
  // A pentagon listed counter-clockwise seen from above; its normal decides the front.
  const struct {
    level::SurfaceNormal normal;
    bool listedBackwards;
    int up, down;  // triangles facing up and facing down
  } cases[] = {
      {{0, 0, 1}, false, 3, 0},
      {{0, 0, -1}, false, 0, 3},
      {{0, 0, 1}, true, 3, 0},
      {{0, 0, -1}, true, 0, 3},
      {{0.3f, 0, 0.9f}, true, 3, 0},
      // No normal, or one in the surface's plane: both sides are drawn.
      {{0, 0, 0}, false, 3, 3},
      {{1, 0, 0}, false, 3, 3},
  };
  for (const auto& c : cases) {
    test::MapTestLevel builder;
    level::Level& level = builder.level();
    level.texturevertices.count = 1;
    const int corners[5] = {builder.Vertex(0, 0), builder.Vertex(2, 0), builder.Vertex(3, 1),
                            builder.Vertex(1, 2), builder.Vertex(-1, 1)};
    const int k =
        c.listedBackwards
            ? builder.Surface({corners[4], corners[3], corners[2], corners[1], corners[0]})
            : builder.Surface({corners[0], corners[1], corners[2], corners[3], corners[4]});
    level.surfaces[k].adjoin = -1;
    level.normals[static_cast<std::size_t>(k)] = c.normal;
    builder.Sector(0, 1);

    const SceneGeometry scene =
        BuildSceneGeometry(level, EditMode::Surface, FallbackOnly(), nullptr);

    int up = 0;
    int down = 0;
    for (std::size_t t = 0; t < scene.indices.size(); t += 3) {
      (TriangleNormal(scene, t).z > 0 ? up : down) += 1;
    }
    EXPECT_EQ(up, c.up) << c.normal.x << " " << c.normal.z << " " << c.listedBackwards;
    EXPECT_EQ(down, c.down) << c.normal.x << " " << c.normal.z << " " << c.listedBackwards;
  }
}

}  // namespace
}  // namespace kx::preview3d
