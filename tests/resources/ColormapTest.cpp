#include "platform/CommandError.h"
#include "resources/Colormap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kx::resources {
namespace {

TEST(ColormapTest, ReadsThePaletteAfterTheHeaderAndRefusesShortFiles) {
  std::string bytes(64, 'H');
  for (int i = 0; i < 256; ++i) bytes += {char(i), char(255 - i), char(i ^ 0x55)};
  const Palette palette = DecodeColormap(bytes + "light tables", "misc\\cmp\\dflt.cmp");
  EXPECT_EQ(palette[0], (Rgb{0, 255, 0x55}));
  EXPECT_EQ(palette[255], (Rgb{255, 0, 0xAA}));
  EXPECT_THAT([&] { DecodeColormap(bytes.substr(0, 831), "misc\\cmp\\cut.cmp"); },
              ::testing::Throws<platform::CommandError>(::testing::Property(
                  &platform::CommandError::FullText,
                  "Read beyond end of file\nmisc\\cmp\\cut.cmp: the palette needs bytes 64 to "
                  "831, the file holds 831 bytes")));
}

}  // namespace
}  // namespace kx::resources
