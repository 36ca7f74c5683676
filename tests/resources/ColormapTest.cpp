#include "platform/CommandError.h"
#include "resources/Colormap.h"

#include <gtest/gtest.h>

namespace kx::resources {
namespace {

TEST(ColormapTest, ReadsThePaletteAfterTheSixtyFourByteHeader) {
  std::string bytes(64, 'H');
  for (int i = 0; i < 256; ++i) {
    bytes += static_cast<char>(i);
    bytes += static_cast<char>(255 - i);
    bytes += static_cast<char>(i ^ 0x55);
  }
  bytes += std::string(100, 'T');  // light tables, not read
  const Palette palette = DecodeColormap(bytes, "misc\\cmp\\dflt.cmp");
  EXPECT_EQ(palette[0], (Rgb{0, 255, 0x55}));
  EXPECT_EQ(palette[1], (Rgb{1, 254, 0x54}));
  EXPECT_EQ(palette[255], (Rgb{255, 0, 0xAA}));
}

TEST(ColormapTest, ShortFileNamesItselfAndThePalettesExtent) {
  try {
    DecodeColormap(std::string(831, '\0'), "misc\\cmp\\cut.cmp");
    FAIL() << "no error";
  } catch (const platform::CommandError& error) {
    EXPECT_EQ(error.FullText(),
              "Read beyond end of file\nmisc\\cmp\\cut.cmp: the palette needs bytes 64 to 831, the "
              "file holds 831 bytes");
  }
  EXPECT_NO_THROW(DecodeColormap(std::string(832, '\0'), "misc\\cmp\\exact.cmp"));
}

}  // namespace
}  // namespace kx::resources
