#include "platform/CommandError.h"
#include "resources/MatBuilder.h"
#include "resources/MatFile.h"

#include <gtest/gtest.h>

namespace kx::resources {
namespace {

using test::MatBuilder;

std::string ErrorOf(const std::string& bytes) {
  try {
    DecodeMat(bytes, "mat\\bad.mat");
  } catch (const platform::CommandError& error) {
    return error.FullText();
  }
  return "no error";
}

TEST(MatFileTest, TextureCelsFollowEachOtherWithAllTheirMipLevels) {
  // 64x64 with 4 levels: 4096 + 1024 + 256 + 64 = 5440 bytes per cel.
  std::string first(5440, 'a'), second(5440, 'b');
  first[5439] = 'L';
  second[0] = 'F';
  auto builder = MatBuilder::Texture().Cel(64, 64, 4, first).Cel(64, 64, 4, second);
  for (int i = 0; i < 18; ++i) builder.FilledCel(2, 1, 1, static_cast<char>(i));
  const auto mat = DecodeMat(builder.Bytes(), "mat\\wall.mat");

  ASSERT_TRUE(mat.has_value());
  ASSERT_EQ(mat->cels.size(), 20u);  // more than the 16 the game's tools kept
  EXPECT_EQ(mat->cels[0].mips, 4);
  EXPECT_EQ(mat->cels[0].pixels, std::vector<std::uint8_t>(first.begin(), first.end()));
  EXPECT_EQ(mat->cels[1].pixels, std::vector<std::uint8_t>(second.begin(), second.end()));
  EXPECT_EQ(mat->cels[19].pixels, std::vector<std::uint8_t>(2, 17));
}

TEST(MatFileTest, ColourMaterialKeepsTheLowByteOfEachRecordAndIgnoresTheFormat) {
  const auto mat = DecodeMat(MatBuilder::Colour()
                                 .Format(16, 40, 40, 40, 40, 40, 40)
                                 .ColourCel(0x82)
                                 .ColourCel(0x1234)
                                 .ColourCel(0xFFFFFF07)
                                 .Bytes(),
                             "mat\\lights.mat");
  ASSERT_TRUE(mat.has_value());
  ASSERT_EQ(mat->cels.size(), 3u);
  EXPECT_EQ(mat->cels[0].colourIndex, 0x82);
  EXPECT_EQ(mat->cels[1].colourIndex, 0x34);
  EXPECT_EQ(mat->cels[2].colourIndex, 0x07);
}

TEST(MatFileTest, SixteenBitTexturesTakeTwoBytesPerPixelOnEveryLevel) {
  // 8x8 with 2 levels: (64 + 16) pixels of 2 bytes.
  auto builder = MatBuilder::Texture().Format(16, 5, 11, 6, 5, 5, 0);
  const auto mat = DecodeMat(builder.FilledCel(8, 8, 2, 1).Bytes(), "mat\\hi.mat");
  ASSERT_TRUE(mat.has_value());
  EXPECT_EQ(mat->cels[0].pixels.size(), 160u);
  EXPECT_EQ(
      ErrorOf(MatBuilder::Texture().Format(16, 5, 12, 6, 5, 5, 0).FilledCel(1, 1, 1, 0).Bytes()),
      "Invalid material\nmat\\bad.mat: the 16-bit colour format has 5 bits at shift 12 for red");
}

TEST(MatFileTest, WrongMagicOrVersionIsNoMaterial) {
  for (std::size_t at : {0u, 4u, 7u}) {
    auto bytes = MatBuilder::Colour().ColourCel(1).Bytes();
    bytes[at] = '\x31';
    EXPECT_FALSE(DecodeMat(bytes, "mat\\x.mat").has_value()) << at;
  }
}

TEST(MatFileTest, HostileHeadersEndInAnErrorNamingTheFileAndThePlace) {
  const std::string beyond = "Read beyond end of file\nmat\\bad.mat: ";
  const std::string invalid = "Invalid material\nmat\\bad.mat: ";
  const std::pair<std::string, std::string> cases[] = {
      {MatBuilder::Colour().Bytes().substr(0, 8),
       beyond + "76 bytes at offset 0 are needed for the header, the file holds 8 from there"},
      {MatBuilder::Texture().FilledCel(4, 4, 1, 'x').CountField(0x7FFFFFFF).Bytes(),
       beyond + "137438953408 bytes at offset 76 are needed for the headers of 2147483647 cels, "
                "the file holds 80 from there"},
      {MatBuilder::Texture().Format(16, 5, 0x7FFFFFFF, 6, 5, 5, 0).FilledCel(1, 1, 1, 0).Bytes(),
       invalid + "the 16-bit colour format has 5 bits at shift 2147483647 for red"},
      {MatBuilder::Colour().ColourCel(1).CountField(-1).Bytes(),
       invalid + "the header gives a cel count of -1"},
      {MatBuilder::Texture().Cel(-4, 4, 1, std::string(16, 'x')).Bytes(),
       invalid + "cel 1 of 1 is -4x4 with 1 mip-map level"},
      {MatBuilder::Texture().Cel(4, 4, 0, std::string(16, 'x')).Bytes(),
       invalid + "cel 1 of 1 is 4x4 with 0 mip-map levels"},
      {MatBuilder::Texture().Cel(0x7FFFFFFF, 0x7FFFFFFF, 1, "xy").Bytes(),
       beyond + "4611686014132420609 bytes at offset 140 are needed for the pixels of cel 1 of 1 "
                "(2147483647x2147483647), the file holds 2 from there"},
      {MatBuilder::Texture().Cel(4, 4, 2, std::string(19, 'x')).Bytes(),
       beyond + "20 bytes at offset 140 are needed for the pixels of cel 1 of 1 (4x4, 2 mip-map "
                "levels), the file holds 19 from there"},
      // Levels past the 31st are empty: a huge mip count asks no more bytes, and takes no time.
      {MatBuilder::Texture().Cel(5, 3, 0x7FFFFFFF, std::string(16, 'x')).Bytes(),
       beyond + "17 bytes at offset 140 are needed for the pixels of cel 1 of 1 (5x3, "
                "2147483647 mip-map levels), the file holds 16 from there"},
  };
  for (const auto& [bytes, message] : cases) EXPECT_EQ(ErrorOf(bytes), message);
}

TEST(MatFileTest, EveryByteCutOffTheEndIsCaught) {
  const auto whole = MatBuilder::Texture().FilledCel(8, 4, 2, 'z').FilledCel(4, 4, 3, 'y').Bytes();
  ASSERT_TRUE(DecodeMat(whole, "mat\\w.mat"));
  for (std::size_t size = 0; size < whole.size(); ++size) {
    EXPECT_THROW(DecodeMat(whole.substr(0, size), "mat\\w.mat"), platform::CommandError) << size;
  }
}

}  // namespace
}  // namespace kx::resources
