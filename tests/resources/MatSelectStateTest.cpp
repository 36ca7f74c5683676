#include "support/FakeUi.h"
#include "support/GobBuilder.h"
#include "support/TempDir.h"

#include "platform/CommandError.h"
#include "resources/MatBuilder.h"
#include "resources/MatSelectState.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::resources {
namespace {

using test::MatBuilder;

Palette Greys(int offset = 0) {
  Palette palette;
  for (int i = 0; i < 256; ++i) palette[std::size_t(i)].red = std::uint8_t(i + offset);
  return palette;
}

MatFile Decode(const std::string& bytes) {
  return *DecodeMat(bytes, "mat\\test.mat");
}

TEST(MatSelectStateTest, ColourMaterialShowsItsLastColourThenCyclesOnePerTick) {
  MatSelectState state;
  state.SetPalette(Greys());
  state.ShowMaterial(
      Decode(MatBuilder::Colour().ColourCel(10).ColourCel(20).ColourCel(30).Bytes()));
  EXPECT_TRUE(state.PreviewVisible());
  EXPECT_EQ(state.Info(), "Number of colors: 3");
  EXPECT_EQ(state.ImageWidth(), 256);
  EXPECT_EQ(state.Frame().At(128, 128).red, 30);
  std::vector<int> shown;
  for (int tick = 0; tick < 4; ++tick) {
    state.Tick();
    shown.push_back(state.Frame().At(0, 0).red);
  }
  EXPECT_EQ(shown, (std::vector<int>{20, 30, 10, 20}));
}

TEST(MatSelectStateTest, TextureSizesThePreviewByItsLastCelAndRecoloursAtTheNextTick) {
  MatSelectState state;
  state.SetPalette(Greys());
  state.ShowMaterial(
      Decode(MatBuilder::Texture().FilledCel(32, 16, 1, 5).FilledCel(8, 4, 3, 7).Bytes()));
  EXPECT_EQ(state.Info(),
            "Texture size: 8x4\rNumber of textures: 2\rNumber of mip-maps per texture: 3");
  EXPECT_EQ(state.ImageWidth(), 8);
  EXPECT_EQ(state.ImageHeight(), 4);
  EXPECT_EQ(state.Frame().At(7, 3).red, 7);
  state.SetPalette(Greys(100));
  EXPECT_EQ(state.Frame().At(7, 3).red, 7);
  state.Tick();
  state.Tick();
  EXPECT_EQ(state.Frame().width, 32);
  EXPECT_EQ(state.Frame().At(31, 15).red, 105);
}

TEST(MatSelectStateTest, EmptyTextureOrNonMaterialNeverAnimatesAndClosingForgetsAll) {
  MatSelectState state;
  state.ShowMaterial(Decode(MatBuilder::Texture().Bytes()));
  EXPECT_TRUE(state.PreviewVisible());
  EXPECT_EQ(state.Info(), "Number of textures: 0");
  state.Tick();
  EXPECT_EQ(state.Frame().width, 0);
  state.ShowMaterial(std::nullopt);
  EXPECT_FALSE(state.PreviewVisible());
  EXPECT_EQ(state.Info(), "");
  EXPECT_TRUE(state.TimerRunning());
  state.ShowMaterial(Decode(MatBuilder::Colour().ColourCel(1).Bytes()));
  state.Close();
  EXPECT_FALSE(state.TimerRunning());
  EXPECT_EQ(state.CelCount(), 0);
}

class MatLookupTest : public ::testing::Test {
 protected:
  static std::string ColourMat(std::uint32_t index) {
    return MatBuilder::Colour().ColourCel(index).Bytes();
  }
  int Shown() const { return state.Frame().At(0, 0).red; }

  test::TempDir dir;
  ResourcePaths paths{dir.path() / "project", dir.path() / "res2.gob"};
  MatSelectState state;
  test::FakeUi ui;
};

TEST_F(MatLookupTest, MatFolderFirstThenModelMaterials) {
  test::GobBuilder{}
      .Entry("3do\\mat\\both.mat", ColourMat(2))
      .Entry("mat\\both.mat", ColourMat(1))
      .Entry("3do\\mat\\skin.mat", ColourMat(3))
      .Entry("mat\\cut.mat", "MAT 2")
      .Entry("3do\\mat\\cut.mat", ColourMat(6))
      .WriteTo(paths.res2Path);
  state.SetPalette(Greys());
  for (const auto& [name, colour] : {std::pair{"both.mat", 1}, {"skin.mat", 3}, {"cut.mat", 6}}) {
    EXPECT_EQ(state.LoadMat(name, paths, ui), MatSelectState::LoadResult::Shown) << name;
    EXPECT_EQ(Shown(), colour) << name;
  }
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MatLookupTest, MissingMaterialShowsTheBangBoxAndADamagedOneHidesThePreview) {
  dir.Write("project/mat/old.mat", ColourMat(9));
  dir.Write("project/mat/text.mat", std::string(100, 'x'));
  const auto broken = MatBuilder::Texture().FilledCel(16, 16, 1, 'p').Bytes();
  dir.Write("project/mat/broken.mat", broken.substr(0, broken.size() - 1));
  state.SetPalette(Greys());
  state.LoadMat("old.mat", paths, ui);
  EXPECT_EQ(state.LoadMat("nothere.mat", paths, ui), MatSelectState::LoadResult::NotFound);
  EXPECT_EQ(ui.boxes, (std::vector<test::FakeUi::Box>{{platform::BoxKind::Plain, "!"}}));
  EXPECT_FALSE(state.TimerRunning());
  EXPECT_TRUE(state.PreviewVisible());
  EXPECT_EQ(Shown(), 9);
  EXPECT_EQ(state.LoadMat("text.mat", paths, ui), MatSelectState::LoadResult::NotAMaterial);
  EXPECT_FALSE(state.PreviewVisible());

  state.LoadMat("old.mat", paths, ui);
  EXPECT_THAT([&] { state.LoadMat("broken.mat", paths, ui); },
              ::testing::Throws<platform::CommandError>(::testing::Property(
                  &platform::CommandError::FullText,
                  "Read beyond end of file\nmat\\broken.mat: 256 bytes at offset 140 are needed "
                  "for the pixels of cel 1 of 1 (16x16, 1 mip-map level), the file holds 255 from "
                  "there")));
  EXPECT_FALSE(state.PreviewVisible());
  EXPECT_FALSE(state.HasCels());
  EXPECT_FALSE(state.TimerRunning());
}

TEST_F(MatLookupTest, ColormapsComeFromMiscCmpAndAMissingOneChangesNothing) {
  std::string cmp(64, '\0');
  for (int i = 0; i < 256; ++i) cmp += std::string(3, char(255 - i));
  test::GobBuilder{}
      .Entry("misc\\cmp\\dflt.cmp", cmp)
      .Entry("misc\\cmp\\cut.cmp", "CMP ")
      .WriteTo(paths.res2Path);
  EXPECT_TRUE(state.LoadColormap("DFLT.CMP", paths));
  EXPECT_FALSE(state.LoadColormap("other.cmp", paths));
  EXPECT_THROW(state.LoadColormap("cut.cmp", paths), platform::CommandError);
  EXPECT_EQ(state.CurrentPalette()[1], (Rgb{254, 254, 254}));
}

}  // namespace
}  // namespace kx::resources
