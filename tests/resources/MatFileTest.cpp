#include "platform/CommandError.h"
#include "resources/MatBuilder.h"
#include "resources/MatFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>

namespace kx::resources {
namespace {

using platform::CommandError;
using test::MatBuilder;

// The whole text the error box shows.
std::string ErrorOf(const std::string& bytes, const std::string& source = "mat\\bad.mat") {
  try {
    DecodeMat(bytes, source);
  } catch (const CommandError& error) {
    return error.FullText();
  }
  return "no error";
}

TEST(MatFileTest, TextureWithFourMipLevelsReads5440BytesPerCel) {
  std::string first(5440, 'a');
  first[4095] = 'L';  // last byte of level 0
  std::string second(5440, 'b');
  second[0] = 'F';
  const auto bytes = MatBuilder::Texture().Cel(64, 64, 4, first).Cel(64, 64, 4, second).Bytes();
  ASSERT_EQ(bytes.size(), 76u + 2 * 40 + 2 * (24 + 5440));

  const auto mat = DecodeMat(bytes, "mat\\wall.mat");

  ASSERT_TRUE(mat.has_value());
  EXPECT_TRUE(mat->IsTexture());
  ASSERT_EQ(mat->cels.size(), 2u);
  EXPECT_EQ(mat->cels[0].width, 64);
  EXPECT_EQ(mat->cels[0].height, 64);
  EXPECT_EQ(mat->cels[0].mips, 4);
  EXPECT_EQ(mat->cels[0].pixels, std::vector<std::uint8_t>(first.begin(), first.end()));
  EXPECT_EQ(mat->cels[1].pixels, std::vector<std::uint8_t>(second.begin(), second.end()));
}

TEST(MatFileTest, PixelBytesHalveEachLevelRoundingDown) {
  EXPECT_EQ(CelPixelBytes(64, 64, 4, 1), 5440u);
  EXPECT_EQ(CelPixelBytes(5, 3, 3, 1), 15u + 2u + 0u);
  EXPECT_EQ(CelPixelBytes(64, 64, 4, 2), 10880u);
  EXPECT_EQ(CelPixelBytes(1, 1, 1000000, 1), 1u);
  EXPECT_EQ(CelPixelBytes(0x7FFFFFFF, 1, 0x7FFFFFFF, 1), 0x7FFFFFFFu);
  EXPECT_EQ(CelPixelBytes(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 4),
            std::numeric_limits<std::uint64_t>::max());
}

TEST(MatFileTest, ColourMaterialTakesTheLowByteOfEachRecordsSecondField) {
  const auto bytes =
      MatBuilder::Colour().ColourCel(0x82).ColourCel(0x1234).ColourCel(0xFFFFFF07).Bytes();
  ASSERT_EQ(bytes.size(), 76u + 3 * 24);

  const auto mat = DecodeMat(bytes, "mat\\lights.mat");

  ASSERT_TRUE(mat.has_value());
  EXPECT_FALSE(mat->IsTexture());
  ASSERT_EQ(mat->cels.size(), 3u);
  EXPECT_EQ(mat->cels[0].colourIndex, 0x82);
  EXPECT_EQ(mat->cels[1].colourIndex, 0x34);
  EXPECT_EQ(mat->cels[2].colourIndex, 0x07);
  EXPECT_TRUE(mat->cels[0].pixels.empty());
}

TEST(MatFileTest, KeepsEveryCelBeyondSixteen) {
  MatBuilder builder = MatBuilder::Texture();
  for (int i = 0; i < 20; ++i) builder.FilledCel(2, 2, 1, static_cast<char>('A' + i));
  const auto mat = DecodeMat(builder.Bytes(), "mat\\anim.mat");
  ASSERT_TRUE(mat.has_value());
  ASSERT_EQ(mat->cels.size(), 20u);
  EXPECT_EQ(mat->cels[19].pixels, std::vector<std::uint8_t>(4, 'A' + 19));
}

TEST(MatFileTest, TextureWithoutCelsIsAMaterial) {
  const auto mat = DecodeMat(MatBuilder::Texture().Bytes(), "mat\\empty.mat");
  ASSERT_TRUE(mat.has_value());
  EXPECT_TRUE(mat->cels.empty());
  EXPECT_EQ(MatInfoText(*mat), "texture 0\n");
}

TEST(MatFileTest, WrongMagicOrVersionIsNoMaterial) {
  EXPECT_FALSE(
      DecodeMat(MatBuilder::Colour().ColourCel(1).Magic(std::string("MAT \x31\0\0\0", 8)).Bytes(),
                "mat\\x.mat"));
  EXPECT_FALSE(
      DecodeMat(MatBuilder::Colour().ColourCel(1).Magic(std::string("mat \x32\0\0\0", 8)).Bytes(),
                "mat\\x.mat"));
  EXPECT_FALSE(
      DecodeMat(MatBuilder::Colour().ColourCel(1).Magic(std::string("MAT \x32\0\0\1", 8)).Bytes(),
                "mat\\x.mat"));
}

TEST(MatFileTest, SixteenBitTexturesDecodeByTheirHeadersBitCounts) {
  // RGB 565: red in the top five bits, green six in the middle, blue five at the bottom.
  std::string pixels;
  for (std::uint16_t p : {0xF800, 0x07E0, 0x001F, 0x8410}) {
    pixels += static_cast<char>(p & 0xFF);
    pixels += static_cast<char>(p >> 8);
  }
  const auto bytes =
      MatBuilder::Texture().Format(16, 5, 11, 6, 5, 5, 0).Cel(2, 2, 1, pixels).Bytes();
  const auto mat = DecodeMat(bytes, "mat\\hi.mat");
  ASSERT_TRUE(mat.has_value());
  EXPECT_FALSE(mat->format.IsIndexed());
  EXPECT_EQ(mat->format.BytesPerPixel(), 2);
  EXPECT_EQ(mat->format.redShift, 11);
  EXPECT_EQ(mat->format.greenBits, 6);
  ASSERT_EQ(mat->cels.size(), 1u);
  EXPECT_EQ(mat->cels[0].pixels.size(), 8u);
}

TEST(MatFileTest, SixteenBitCelsNeedTwoBytesPerPixelOnEveryLevel) {
  // 8x8 with 2 levels: (64 + 16) pixels of 2 bytes.
  const auto good = MatBuilder::Texture()
                        .Format(16, 5, 10, 5, 5, 5, 0)
                        .Cel(8, 8, 2, std::string(160, '\x11'))
                        .Bytes();
  ASSERT_TRUE(DecodeMat(good, "mat\\a.mat"));
  EXPECT_EQ(DecodeMat(good, "mat\\a.mat")->cels[0].pixels.size(), 160u);

  const auto shortOne = MatBuilder::Texture()
                            .Format(16, 5, 10, 5, 5, 5, 0)
                            .Cel(8, 8, 2, std::string(80, '\x11'))
                            .Bytes();
  EXPECT_EQ(ErrorOf(shortOne),
            "Read beyond end of file\nmat\\bad.mat: 160 bytes at offset 140 are needed for the "
            "pixels of cel 1 of 1 (8x8, 2 mip-map levels), the file holds 80 from there");
}

TEST(MatFileTest, RefusesDirectColourFormatsThatDoNotFitThePixel) {
  const auto bytes = MatBuilder::Texture()
                         .Format(16, 5, 12, 6, 5, 5, 0)
                         .Cel(1, 1, 1, std::string(2, '\0'))
                         .Bytes();
  EXPECT_EQ(
      ErrorOf(bytes),
      "Invalid material\nmat\\bad.mat: the 16-bit colour format has 5 bits at shift 12 for red");
  const auto wide = MatBuilder::Texture()
                        .Format(16, 5, 11, 6, 5, 9, 0)
                        .Cel(1, 1, 1, std::string(2, '\0'))
                        .Bytes();
  EXPECT_EQ(
      ErrorOf(wide),
      "Invalid material\nmat\\bad.mat: the 16-bit colour format has 9 bits at shift 0 for blue");
}

TEST(MatFileTest, ColourMaterialsIgnoreTheColourFormat) {
  const auto bytes = MatBuilder::Colour().Format(16, 40, 40, 40, 40, 40, 40).ColourCel(9).Bytes();
  const auto mat = DecodeMat(bytes, "mat\\c.mat");
  ASSERT_TRUE(mat.has_value());
  EXPECT_EQ(mat->cels[0].colourIndex, 9);
}

TEST(MatFileTest, HostileHeadersEndInAnErrorNamingTheFile) {
  EXPECT_EQ(ErrorOf(std::string("MAT \x32\0\0\0", 8)),
            "Read beyond end of file\nmat\\bad.mat: 76 bytes at offset 0 are needed for the "
            "header, the file holds 8 from there");
  EXPECT_EQ(ErrorOf(MatBuilder::Texture().FilledCel(4, 4, 1, 'x').CountField(0x7FFFFFFF).Bytes()),
            "Read beyond end of file\nmat\\bad.mat: 137438953408 bytes at offset 76 are needed for "
            "the headers of 2147483647 cels, the file holds 80 from there");
  EXPECT_EQ(ErrorOf(MatBuilder::Colour().ColourCel(1).CountField(2).Bytes()),
            "Read beyond end of file\nmat\\bad.mat: 48 bytes at offset 76 are needed for the "
            "headers of 2 cels, the file holds 24 from there");
  EXPECT_EQ(ErrorOf(MatBuilder::Colour().ColourCel(1).CountField(-1).Bytes()),
            "Invalid material\nmat\\bad.mat: the header gives a cel count of -1");
  EXPECT_EQ(ErrorOf(MatBuilder::Texture().Cel(-4, 4, 1, std::string(16, 'x')).Bytes()),
            "Invalid material\nmat\\bad.mat: cel 1 of 1 is -4x4 with 1 mip-map level");
  EXPECT_EQ(ErrorOf(MatBuilder::Texture().Cel(4, 4, 0, std::string(16, 'x')).Bytes()),
            "Invalid material\nmat\\bad.mat: cel 1 of 1 is 4x4 with 0 mip-map levels");
  EXPECT_EQ(
      ErrorOf(MatBuilder::Texture().Cel(0x7FFFFFFF, 0x7FFFFFFF, 1, "xy").Bytes()),
      "Read beyond end of file\nmat\\bad.mat: 4611686014132420609 bytes at offset 140 are needed "
      "for the pixels of cel 1 of 1 (2147483647x2147483647), the file holds 2 from there");
  EXPECT_EQ(ErrorOf(MatBuilder::Texture().Cel(4, 4, 1, std::string(15, 'x')).Bytes()),
            "Read beyond end of file\nmat\\bad.mat: 16 bytes at offset 140 are needed for the "
            "pixels of cel 1 of 1 (4x4, 1 mip-map level), the file holds 15 from there");
}

TEST(MatFileTest, SecondCelsHeaderCutShortIsReported) {
  auto bytes = MatBuilder::Texture().FilledCel(4, 4, 1, 'a').FilledCel(2, 2, 1, 'b').Bytes();
  bytes.resize(bytes.size() - 4 - 10);  // drop the second cel's pixels and part of its header
  // 76 header + 2 * 40 records + 24 + 16 for the first cel: the second header starts at 196.
  EXPECT_EQ(ErrorOf(bytes),
            "Read beyond end of file\nmat\\bad.mat: 24 bytes at offset 196 are needed for the "
            "texture header of cel 2 of 2, the file holds 14 from there");
}

TEST(MatFileTest, HugeMipCountsCostNothingBeyondTheEmptyLevels) {
  // 4x2: 8 + 2 bytes, then every further level is empty.
  const auto bytes = MatBuilder::Texture().Cel(4, 2, 0x7FFFFFFF, std::string(10, 'q')).Bytes();
  const auto mat = DecodeMat(bytes, "mat\\m.mat");
  ASSERT_TRUE(mat.has_value());
  EXPECT_EQ(mat->cels[0].pixels.size(), 10u);
}

TEST(MatFileTest, EveryByteCutOffTheEndIsCaught) {
  const auto whole = MatBuilder::Texture().FilledCel(8, 4, 2, 'z').FilledCel(4, 4, 3, 'y').Bytes();
  ASSERT_TRUE(DecodeMat(whole, "mat\\w.mat"));
  for (std::size_t size = 0; size < whole.size(); ++size) {
    EXPECT_THROW(DecodeMat(whole.substr(0, size), "mat\\w.mat"), CommandError) << size;
  }
}

TEST(MatFileTest, InfoTextListsEveryCel) {
  const auto texture = DecodeMat(
      MatBuilder::Texture().FilledCel(32, 16, 1, 'a').FilledCel(8, 8, 3, 'b').Bytes(), "t");
  EXPECT_EQ(MatInfoText(*texture), "texture 2\n32x16 1\n8x8 3\n");
  const auto colour = DecodeMat(MatBuilder::Colour().ColourCel(130).ColourCel(7).Bytes(), "c");
  EXPECT_EQ(MatInfoText(*colour), "color 2\ncolour 130\ncolour 7\n");
}

}  // namespace
}  // namespace kx::resources
