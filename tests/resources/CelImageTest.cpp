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
    palette[std::size_t(i)] = Rgb{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2)};
  }
  return palette;
}

TEST(CelImageTest, FirstByteOfARowIsItsLeftmostPixel) {
  // 3x2 level 0, then a smaller level the preview never shows.
  const std::vector<std::uint8_t> pixels{1, 2, 3, 10, 20, 30, 99};
  const RgbImage image = DrawIndexedImage(3, 2, pixels, Ramp());
  ASSERT_EQ(image.rgb.size(), 18u);
  EXPECT_EQ(image.At(0, 0), (Rgb{1, 254, 0}));
  EXPECT_EQ(image.At(2, 0), (Rgb{3, 252, 1}));
  EXPECT_EQ(image.At(0, 1), (Rgb{10, 245, 5}));
  EXPECT_THROW(DrawIndexedImage(3, 3, pixels, Ramp()), std::invalid_argument);
}

TEST(CelImageTest, DirectColourWidensEachChannelByTheHeadersBitsAndShifts) {
  const ColourFormat rgb565{16, 5, 6, 5, 11, 5, 0};
  // Little-endian words: red, green, blue, 0x8410 (16/31, 32/63, 16/31), white.
  const std::vector<std::uint8_t> pixels{0x00, 0xF8, 0xE0, 0x07, 0x1F,
                                         0x00, 0x10, 0x84, 0xFF, 0xFF};
  const RgbImage image = DrawDirectColourImage(5, 1, pixels, rgb565);
  EXPECT_EQ(image.At(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(image.At(1, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(image.At(2, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(image.At(3, 0), (Rgb{132, 130, 132}));
  EXPECT_EQ(image.At(4, 0), (Rgb{255, 255, 255}));
  const ColourFormat argb1555{16, 5, 5, 5, 10, 5, 0};
  EXPECT_EQ(DrawDirectColourImage(1, 1, std::vector<std::uint8_t>{0x1F, 0x80}, argb1555).At(0, 0),
            (Rgb{0, 0, 255}));
}

TEST(CelImageTest, SixteenBitCelsShowWithoutThePalette) {
  const auto high = DecodeMat(test::MatBuilder::Texture()
                                  .Format(16, 5, 11, 6, 5, 5, 0)
                                  .Cel(1, 1, 1, std::string("\x1F\x00", 2))
                                  .Bytes(),
                              "h");
  EXPECT_EQ(DrawCel(*high, 0, Ramp()).At(0, 0), (Rgb{0, 0, 255}));
  EXPECT_THROW(DrawCel(*high, 1, Ramp()), std::out_of_range);
}

}  // namespace
}  // namespace kx::resources
