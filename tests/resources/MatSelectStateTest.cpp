#include "resources/MatSelectState.h"

#include <gtest/gtest.h>

#include "resources/MatBuilder.h"

namespace kx::resources {
namespace {

using test::MatBuilder;

Palette Solid(Rgb first, Rgb rest) {
  Palette palette;
  palette.fill(rest);
  palette[0] = first;
  return palette;
}

Palette Greys() {
  Palette palette;
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<std::uint8_t>(i);
    palette[static_cast<std::size_t>(i)] = Rgb{v, v, v};
  }
  return palette;
}

MatFile Decode(const std::string& bytes) { return *DecodeMat(bytes, "mat\\test.mat"); }

TEST(MatSelectStateTest, ColourMaterialCyclesItsColoursOneTickEach) {
  MatSelectState state;
  state.SetPalette(Greys());
  state.ShowMaterial(Decode(MatBuilder::Colour().ColourCel(10).ColourCel(20).ColourCel(30).Bytes()));

  EXPECT_TRUE(state.PreviewVisible());
  EXPECT_TRUE(state.HasCels());
  EXPECT_TRUE(state.TimerRunning());
  EXPECT_EQ(state.CelCount(), 3);
  EXPECT_EQ(state.CurrentMatType(), 0);
  EXPECT_EQ(state.Info(), "Number of colors: 3");
  EXPECT_EQ(state.PanelWidth(), 260);
  EXPECT_EQ(state.ImageHeight(), 256);
  // Each record is drawn as it is read, so the last colour shows until the first tick.
  EXPECT_EQ(state.CelCounter(), 0);
  EXPECT_EQ(state.Frame().At(128, 128), (Rgb{30, 30, 30}));

  std::vector<int> shown;
  for (int tick = 0; tick < 4; ++tick) {
    state.Tick();
    shown.push_back(state.Frame().At(0, 0).red);
  }
  EXPECT_EQ(shown, (std::vector<int>{20, 30, 10, 20}));
  EXPECT_EQ(state.CelCounter(), 1);
}

TEST(MatSelectStateTest, TextureShowsItsLastCelAndDescribesIt) {
  MatSelectState state;
  state.SetPalette(Greys());
  state.ShowMaterial(Decode(
      MatBuilder::Texture().FilledCel(32, 16, 1, 5).FilledCel(8, 4, 3, 7).Bytes()));

  EXPECT_EQ(state.Info(),
            "Texture size: 8x4\rNumber of textures: 2\rNumber of mip-maps per texture: 3");
  EXPECT_EQ(state.ImageWidth(), 8);
  EXPECT_EQ(state.ImageHeight(), 4);
  EXPECT_EQ(state.PanelWidth(), 12);
  EXPECT_EQ(state.PanelHeight(), 8);
  EXPECT_EQ(state.Frame().width, 8);
  EXPECT_EQ(state.Frame().At(7, 3), (Rgb{7, 7, 7}));
  state.Tick();
  EXPECT_EQ(state.CelCounter(), 1);
  EXPECT_EQ(state.Frame().width, 8);
  state.Tick();
  EXPECT_EQ(state.CelCounter(), 0);
  EXPECT_EQ(state.Frame().width, 32);
  EXPECT_EQ(state.Frame().At(31, 15), (Rgb{5, 5, 5}));
}

TEST(MatSelectStateTest, SingleCelIsRedrawnEveryTickWithTheCurrentPalette) {
  MatSelectState state;
  state.SetPalette(Solid({1, 2, 3}, {9, 9, 9}));
  state.ShowMaterial(Decode(MatBuilder::Texture().FilledCel(2, 2, 1, 0).Bytes()));
  EXPECT_EQ(state.Frame().At(1, 1), (Rgb{1, 2, 3}));
  // A new colormap shows at the next tick, without loading the material again.
  state.SetPalette(Solid({200, 100, 50}, {9, 9, 9}));
  EXPECT_EQ(state.Frame().At(1, 1), (Rgb{1, 2, 3}));
  state.Tick();
  EXPECT_EQ(state.CelCounter(), 0);
  EXPECT_EQ(state.Frame().At(1, 1), (Rgb{200, 100, 50}));
}

TEST(MatSelectStateTest, TextureWithoutCelsSaysSoAndNeverAnimates) {
  MatSelectState state;
  state.ShowMaterial(Decode(MatBuilder::Texture().Bytes()));
  EXPECT_TRUE(state.PreviewVisible());
  EXPECT_FALSE(state.HasCels());
  EXPECT_EQ(state.Info(), "Number of textures: 0");
  state.Tick();
  EXPECT_EQ(state.CelCounter(), 0);
  EXPECT_EQ(state.Frame().width, 0);
}

TEST(MatSelectStateTest, AFileThatIsNoMaterialHidesThePreview) {
  MatSelectState state;
  state.ShowMaterial(Decode(MatBuilder::Colour().ColourCel(1).Bytes()));
  ASSERT_TRUE(state.PreviewVisible());
  state.ShowMaterial(std::nullopt);
  EXPECT_FALSE(state.PreviewVisible());
  EXPECT_FALSE(state.HasCels());
  EXPECT_EQ(state.Info(), "");
  EXPECT_EQ(state.CelCount(), 0);
  EXPECT_TRUE(state.TimerRunning());
}

TEST(MatSelectStateTest, OpeningAndClosingForgetTheCels) {
  MatSelectState state;
  state.ShowMaterial(Decode(MatBuilder::Colour().ColourCel(1).ColourCel(2).Bytes()));
  state.Tick();
  state.Close();
  EXPECT_FALSE(state.TimerRunning());
  EXPECT_FALSE(state.HasCels());
  EXPECT_EQ(state.CelCount(), 0);
  state.Open();
  EXPECT_FALSE(state.PreviewVisible());
  EXPECT_EQ(state.CelCounter(), 0);
  EXPECT_EQ(state.Frame().width, 0);
  state.Tick();  // a tick after closing draws nothing
  EXPECT_EQ(state.Frame().width, 0);
}

}  // namespace
}  // namespace kx::resources
