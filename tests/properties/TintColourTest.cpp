#include "properties/TintColour.h"

#include <gtest/gtest.h>
#include <limits>

namespace kx::properties {
namespace {

TEST(TintColourTest, TheStartColourRoundsEachChannelToEvenAndClampsIt) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    std::array<float, 3> tint;
    std::uint32_t red, green, blue;
  } cases[] = {
      {{0.5f, 1.0f, 0.25f}, 128, 255, 64},  // 127.5 rounds to the even 128; 63.75 to 64
      {{0.0f, 0.002f, 0.998f}, 0, 1, 254},
      {{1.5f, -0.2f, 2.0f}, 255, 0, 255},  // not 382 & 255 = 126, nor -51 & 255
      {{nan, 0.1f, nan}, 0, 26, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TintStartColour(c.tint), c.red | c.green << 8 | c.blue << 16)
        << c.tint[0] << " " << c.tint[1] << " " << c.tint[2];
  }
}

TEST(TintColourTest, AChosenChannelIsStoredAsItsShareOf255AndStartsTheDialogAgainUnchanged) {
  EXPECT_EQ(TintOfColour(0x00FF80FF), (std::array<float, 3>{1.0f, 128.0f / 255.0f, 1.0f}));
  EXPECT_EQ(TintOfColour(0), (std::array<float, 3>{0.0f, 0.0f, 0.0f}));
  for (std::uint32_t v = 0; v < 256; ++v) {
    const DialogColour colour = v | (255 - v) << 8 | (v / 2) << 16;
    EXPECT_EQ(TintStartColour(TintOfColour(colour)), colour) << v;
  }
}

}  // namespace
}  // namespace kx::properties
