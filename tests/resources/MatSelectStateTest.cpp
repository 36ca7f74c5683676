#include "support/FakeUi.h"
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "platform/CommandError.h"
#include "resources/MatBuilder.h"
#include "resources/MatSelectState.h"

#include <gtest/gtest.h>

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

MatFile Decode(const std::string& bytes) {
  return *DecodeMat(bytes, "mat\\test.mat");
}

TEST(MatSelectStateTest, ColourMaterialCyclesItsColoursOneTickEach) {
  MatSelectState state;
  state.SetPalette(Greys());
  state.ShowMaterial(
      Decode(MatBuilder::Colour().ColourCel(10).ColourCel(20).ColourCel(30).Bytes()));

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
  state.ShowMaterial(
      Decode(MatBuilder::Texture().FilledCel(32, 16, 1, 5).FilledCel(8, 4, 3, 7).Bytes()));

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

class MatLookupTest : public ::testing::Test {
 protected:
  std::string ColourMat(std::uint32_t index) {
    return MatBuilder::Colour().ColourCel(index).Bytes();
  }
  int ShownColour() const { return state.Frame().At(0, 0).red; }

  test::TempDir dir;
  ResourcePaths paths{dir.path() / "project", dir.path() / "res2.gob"};
  MatSelectState state;
  test::FakeUi ui;
};

TEST_F(MatLookupTest, MatFolderComesBeforeModelMaterialsAndTheProjectBeforeTheArchive) {
  test::GobBuilder{}
      .Entry("3do\\mat\\both.mat", ColourMat(2))
      .Entry("mat\\both.mat", ColourMat(1))
      .Entry("3do\\mat\\skin.mat", ColourMat(3))
      .Entry("mat\\wall.mat", ColourMat(4))
      .WriteTo(paths.res2Path);
  dir.Write("project/MAT/Wall.mat", ColourMat(5));
  state.SetPalette(Greys());

  EXPECT_EQ(state.LoadMat("both.mat", paths, ui), MatSelectState::LoadResult::Shown);
  EXPECT_EQ(ShownColour(), 1);
  EXPECT_EQ(state.LoadMat("skin.mat", paths, ui), MatSelectState::LoadResult::Shown);
  EXPECT_EQ(ShownColour(), 3);
  EXPECT_EQ(state.LoadMat("wall.mat", paths, ui), MatSelectState::LoadResult::Shown);
  EXPECT_EQ(ShownColour(), 5);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MatLookupTest, MatEntryTooShortForAHeaderFallsBackToModelMaterials) {
  test::GobBuilder{}
      .Entry("mat\\cut.mat", "MAT 2")
      .Entry("3do\\mat\\cut.mat", ColourMat(7))
      .WriteTo(paths.res2Path);
  state.SetPalette(Greys());
  EXPECT_EQ(state.LoadMat("cut.mat", paths, ui), MatSelectState::LoadResult::Shown);
  EXPECT_EQ(ShownColour(), 7);
}

TEST_F(MatLookupTest, MissingMaterialShowsTheBangBoxAndKeepsThePreviewStill) {
  test::GobBuilder{}.Entry("mat\\old.mat", ColourMat(9)).WriteTo(paths.res2Path);
  state.SetPalette(Greys());
  ASSERT_EQ(state.LoadMat("old.mat", paths, ui), MatSelectState::LoadResult::Shown);

  EXPECT_EQ(state.LoadMat("nothere.mat", paths, ui), MatSelectState::LoadResult::NotFound);

  EXPECT_EQ(ui.boxes, (std::vector<test::FakeUi::Box>{{platform::BoxKind::Plain, "!"}}));
  EXPECT_FALSE(state.TimerRunning());
  EXPECT_FALSE(state.HasCels());
  EXPECT_TRUE(state.PreviewVisible());
  EXPECT_EQ(ShownColour(), 9);
}

TEST_F(MatLookupTest, NonMaterialHidesThePreviewWithoutAMessage) {
  dir.Write("project/mat/text.mat", std::string(100, 'x'));
  EXPECT_EQ(state.LoadMat("text.mat", paths, ui), MatSelectState::LoadResult::NotAMaterial);
  EXPECT_FALSE(state.PreviewVisible());
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MatLookupTest, DamagedMaterialNamesItsEntryAndLeavesNothingToAnimate) {
  auto bytes = MatBuilder::Texture().FilledCel(16, 16, 1, 'p').Bytes();
  bytes.resize(bytes.size() - 1);
  dir.Write("project/mat/broken.mat", bytes);
  state.ShowMaterial(Decode(ColourMat(1)));
  try {
    state.LoadMat("broken.mat", paths, ui);
    FAIL() << "no error";
  } catch (const platform::CommandError& error) {
    EXPECT_EQ(error.FullText(),
              "Read beyond end of file\nmat\\broken.mat: 256 bytes at offset 140 are needed for "
              "the pixels of cel 1 of 1 (16x16, 1 mip-map level), the file holds 255 from there");
  }
  EXPECT_FALSE(state.PreviewVisible());
  EXPECT_FALSE(state.HasCels());
  EXPECT_FALSE(state.TimerRunning());
  EXPECT_EQ(state.Info(), "");
}

TEST_F(MatLookupTest, ColormapsComeFromMiscCmpAndAMissingOneChangesNothing) {
  std::string cmp(64, '\0');
  for (int i = 0; i < 256; ++i) cmp += std::string(3, static_cast<char>(255 - i));
  test::GobBuilder{}
      .Entry("misc\\cmp\\dflt.cmp", cmp)
      .Entry("misc\\cmp\\cut.cmp", "CMP ")
      .WriteTo(paths.res2Path);

  EXPECT_TRUE(state.LoadColormap("DFLT.CMP", paths));
  EXPECT_EQ(state.CurrentPalette()[1], (Rgb{254, 254, 254}));
  EXPECT_FALSE(state.LoadColormap("other.cmp", paths));
  EXPECT_EQ(state.CurrentPalette()[1], (Rgb{254, 254, 254}));
  EXPECT_THROW(state.LoadColormap("cut.cmp", paths), platform::CommandError);
  EXPECT_EQ(state.CurrentPalette()[1], (Rgb{254, 254, 254}));
}

}  // namespace
}  // namespace kx::resources
