#include "DemoLevel.h"
#include "DemoMaterials.h"
#include "DemoNames.h"
#include "demo/GeneratedDemo.h"

#include "building/RampPalette.h"
#include "support/TempDir.h"

#include "level/Words.h"
#include "preview3d/PreviewTestLevels.h"
#include "preview3d/QtOffscreenPreview.h"
#include "resources/CelImage.h"
#include "resources/MatFile.h"

#include <QColor>
#include <QImage>

#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace kx::preview3d {
namespace {

using test::Face;
using test::FaceColour;

constexpr QSize kSize{320, 240};

/// The scene of level drawn from navigation's view (the player start unless walk is given).
QImage Draw(const level::Level& level, const resources::ResourcePaths& paths,
            const std::optional<Camera>& camera, PreviewSession& session) {
  QtOffscreenPreview preview(kSize);
  EXPECT_TRUE(preview.Problem().isEmpty()) << preview.Problem().toStdString();
  session.Start(level, mapview::EditMode::Surface, paths, nullptr);
  if (camera) session.Walk().camera = *camera;
  preview.Upload(session.Scene());
  return preview.Render(session.Walk());
}

bool Shows(const QImage& image, int x, int y, resources::Rgb colour) {
  const QColor pixel = image.pixelColor(x, y);
  return pixel.red() == colour.red && pixel.green() == colour.green && pixel.blue() == colour.blue;
}

int CountOf(const QImage& image, resources::Rgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += Shows(image, x, y, colour) ? 1 : 0;
  }
  return count;
}

TEST(QtPreviewRenderTest, ShowsTheRoomUnmirroredAndEachWallFromItsFrontOnly) {
  kx::test::TempDir project;
  const auto level = test::BoxRoom(project.path());
  PreviewSession session;
  const int w = kSize.width();
  const int h = kSize.height();

  // From the player start at the south end, looking along +y down the room.
  const QImage inside = Draw(*level, {project.path(), {}}, std::nullopt, session);
  ASSERT_EQ(inside.size(), kSize);
  EXPECT_TRUE(Shows(inside, w / 2, h / 2, FaceColour(Face::North)));
  EXPECT_TRUE(Shows(inside, 4, h / 2, FaceColour(Face::West)));  // x = 0 on the left
  EXPECT_TRUE(Shows(inside, w - 5, h / 2, FaceColour(Face::East)));
  EXPECT_TRUE(Shows(inside, w / 2, 4, FaceColour(Face::Ceiling)));
  EXPECT_TRUE(Shows(inside, w / 2, h - 5, FaceColour(Face::Floor)));
  EXPECT_EQ(CountOf(inside, FaceColour(Face::South)), 0);  // behind the camera

  // From outside, south of the room: the south wall shows its back and is not drawn, so the
  // room's inside is seen through it.
  const QImage outside = Draw(*level, {project.path(), {}}, Camera::At({1, -3, 1}), session);
  EXPECT_EQ(CountOf(outside, FaceColour(Face::South)), 0);
  EXPECT_TRUE(Shows(outside, w / 2, h / 2, FaceColour(Face::North)));
  EXPECT_GT(CountOf(outside, FaceColour(Face::Floor)), 0);
  EXPECT_TRUE(Shows(outside, 2, 2, {0, 0, 0}));  // around the room, nothing

  // The level twice as large about its origin: the camera now stands in the west half.
  Navigation& walk = session.Walk();
  walk.camera = Camera::At({1, 1, 1});
  walk.meshScale = 2;
  QtOffscreenPreview preview(kSize);
  preview.Upload(session.Scene());
  const QImage scaled = preview.Render(walk);
  EXPECT_TRUE(Shows(scaled, 4, h / 2, FaceColour(Face::West)));
  EXPECT_GT(CountOf(scaled, FaceColour(Face::West)), CountOf(inside, FaceColour(Face::West)));
}

/// Hues: chromaticity (red and green shares) in 1/48 steps.
using Hues = std::set<std::pair<int, int>>;

std::pair<int, int> HueOf(int r, int g, int b) {
  const int sum = r + g + b;
  return {r * 48 / sum, g * 48 / sum};
}

/// The hues of the first cel of the demo's material name, drawn through the demo's own palette.
Hues DemoMaterialHues(std::string_view name) {
  const resources::Palette palette = building::RampPalette();
  for (const building::GeneratedFile& file : demo::DemoMaterials(palette)) {
    if (!level::EqualsIgnoringCase(file.name, "mat\\" + std::string(name))) continue;
    const resources::RgbImage image =
        resources::DrawCel(*resources::DecodeMat(file.bytes, file.name), 0, palette);
    Hues hues;
    for (std::size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
      const int r = image.rgb[i], g = image.rgb[i + 1], b = image.rgb[i + 2];
      if (r + g + b < 90) continue;
      const auto [hr, hg] = HueOf(r, g, b);
      // Grey says nothing about the palette: only coloured texels count.
      if (std::abs(hr - 16) + std::abs(hg - 16) <= 1) continue;
      for (int dr = -1; dr <= 1; ++dr) {
        for (int dg = -1; dg <= 1; ++dg) hues.insert({hr + dr, hg + dg});
      }
    }
    return hues;
  }
  ADD_FAILURE() << "no demo material " << name;
  return {};
}

TEST(QtPreviewRenderTest, DrawsTheDemoFromItsPlayerStartInItsMaterialsColours) {
  const auto level = demo::BuildDemoLevel();
  const auto res2 = demo::test::GeneratedDemo() / "game" / "resource" / "res2.gob";
  kx::test::TempDir project;
  PreviewSession session;
  const QImage image = Draw(*level, {project.path(), res2}, std::nullopt, session);
  ASSERT_FALSE(image.isNull());

  // Every material was found: no notice, each one a texture of its own.
  EXPECT_TRUE(session.Notices().empty());
  EXPECT_EQ(session.Scene().materials.textures.size(),
            static_cast<std::size_t>(level->materials.Used()) + 1);

  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  }
  EXPECT_GT(colours.size(), 100u);  // neither empty nor one colour

  // From the start the player faces a brick wall over a tiled floor: a good part of the picture
  // is in the hues each one has in the demo's own palette.
  for (const std::string_view name : {demo::kBrickMat, demo::kFloorMat}) {
    const Hues hues = DemoMaterialHues(name);
    int inHue = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() + c.green() + c.blue() >= 90 &&
            hues.contains(HueOf(c.red(), c.green(), c.blue()))) {
          ++inHue;
        }
      }
    }
    EXPECT_GT(inHue, image.width() * image.height() / 10) << name;
  }
}

}  // namespace
}  // namespace kx::preview3d
