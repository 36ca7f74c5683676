#include "resources/CelImage.h"
#include "resources/MatBuilder.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace kx::resources {
namespace {

// Index i shows as (i, 255 - i, i / 2), so every index has its own colour.
Palette Ramp() {
  Palette palette;
  for (int i = 0; i < 256; ++i) {
    palette[static_cast<std::size_t>(i)] =
        Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
            static_cast<std::uint8_t>(i / 2)};
  }
  return palette;
}

TEST(CelImageTest, FirstByteOfARowIsItsLeftmostPixel) {
  const std::vector<std::uint8_t> pixels{1, 2, 3, 10, 20, 30};
  const RgbImage image = DrawIndexedImage(3, 2, pixels, Ramp());
  ASSERT_EQ(image.width, 3);
  ASSERT_EQ(image.height, 2);
  ASSERT_EQ(image.rgb.size(), 18u);
  EXPECT_EQ(image.At(0, 0), (Rgb{1, 254, 0}));
  EXPECT_EQ(image.At(2, 0), (Rgb{3, 252, 1}));
  EXPECT_EQ(image.At(0, 1), (Rgb{10, 245, 5}));
  EXPECT_EQ(image.At(2, 1), (Rgb{30, 225, 15}));
  EXPECT_EQ(std::vector<std::uint8_t>(image.rgb.begin(), image.rgb.begin() + 6),
            (std::vector<std::uint8_t>{1, 254, 0, 2, 253, 1}));
}

TEST(CelImageTest, ReadsOnlyTheLargestLevelOfAMipMappedCel) {
  // 4x2 level 0 then a 2x1 level the preview never shows.
  const std::vector<std::uint8_t> pixels{0, 1, 2, 3, 4, 5, 6, 7, 200, 201};
  const RgbImage image = DrawIndexedImage(4, 2, pixels, Ramp());
  EXPECT_EQ(image.rgb.size(), 24u);
  EXPECT_EQ(image.At(3, 1), (Rgb{7, 248, 3}));
}

TEST(CelImageTest, RefusesTooFewPixelsOrNegativeSides) {
  const std::vector<std::uint8_t> pixels(5, 0);
  EXPECT_THROW(DrawIndexedImage(3, 2, pixels, Ramp()), std::invalid_argument);
  EXPECT_THROW(DrawIndexedImage(-1, 2, pixels, Ramp()), std::invalid_argument);
  EXPECT_EQ(DrawIndexedImage(0, 7, pixels, Ramp()).rgb.size(), 0u);
}

TEST(CelImageTest, SixteenBitPixelsWidenEachChannelToFullRange) {
  ColourFormat rgb565{16, 5, 6, 5, 11, 5, 0};
  // Little-endian words: pure red, pure green, pure blue, a grey, then white.
  const std::vector<std::uint8_t> pixels{0x00, 0xF8, 0xE0, 0x07, 0x1F,
                                         0x00, 0x10, 0x84, 0xFF, 0xFF};
  const RgbImage image = DrawDirectColourImage(5, 1, pixels, rgb565);
  EXPECT_EQ(image.At(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(image.At(1, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(image.At(2, 0), (Rgb{0, 0, 255}));
  // 0x8410: red 16 of 31, green 32 of 63, blue 16 of 31.
  EXPECT_EQ(image.At(3, 0), (Rgb{132, 130, 132}));
  EXPECT_EQ(image.At(4, 0), (Rgb{255, 255, 255}));
}

TEST(CelImageTest, ArgbLayoutsFollowTheHeadersShifts) {
  ColourFormat argb1555{16, 5, 5, 5, 10, 5, 0};
  const std::vector<std::uint8_t> pixels{0x00, 0x7C, 0x1F, 0x80};  // red; blue with alpha set
  const RgbImage image = DrawDirectColourImage(2, 1, pixels, argb1555);
  EXPECT_EQ(image.At(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(image.At(1, 0), (Rgb{0, 0, 255}));
  EXPECT_THROW(DrawDirectColourImage(3, 1, pixels, argb1555), std::invalid_argument);
}

TEST(CelImageTest, CelsShowAsThePreviewDoes) {
  const auto texture = DecodeMat(test::MatBuilder::Texture()
                                     .Cel(2, 1, 1, std::string("\x05\x06", 2))
                                     .Cel(1, 1, 1, "\x09")
                                     .Bytes(),
                                 "t");
  const RgbImage second = DrawCel(*texture, 1, Ramp());
  EXPECT_EQ(second.width, 1);
  EXPECT_EQ(second.At(0, 0), (Rgb{9, 246, 4}));
  EXPECT_EQ(DrawCel(*texture, 0, Ramp()).At(1, 0), (Rgb{6, 249, 3}));
  EXPECT_THROW(DrawCel(*texture, 2, Ramp()), std::out_of_range);

  const auto colour = DecodeMat(test::MatBuilder::Colour().ColourCel(40).Bytes(), "c");
  const RgbImage square = DrawCel(*colour, 0, Ramp());
  EXPECT_EQ(square.width, kPreviewSide);
  EXPECT_EQ(square.height, kPreviewSide);
  EXPECT_EQ(square.At(0, 0), (Rgb{40, 215, 20}));
  EXPECT_EQ(square.At(255, 255), (Rgb{40, 215, 20}));
}

TEST(CelImageTest, SixteenBitCelsIgnoreThePalette) {
  const auto mat = DecodeMat(test::MatBuilder::Texture()
                                 .Format(16, 5, 11, 6, 5, 5, 0)
                                 .Cel(1, 1, 1, std::string("\x1F\x00", 2))
                                 .Bytes(),
                             "h");
  EXPECT_EQ(DrawCel(*mat, 0, Ramp()).At(0, 0), (Rgb{0, 0, 255}));
}

}  // namespace
}  // namespace kx::resources
