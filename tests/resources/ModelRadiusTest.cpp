#include "resources/ModelRadius.h"

#include <gtest/gtest.h>

namespace kx::resources {
namespace {

TEST(NextTokenTest, SplitsAtTheFirstTabEvenAfterABlankAndTrimsBothParts) {
  std::string line = "  RADIUS 0.5\t7  ";
  EXPECT_EQ(NextToken(line), "RADIUS 0.5");
  EXPECT_EQ(line, "7");
  line = "RADIUS    0.062  x";
  EXPECT_EQ(NextToken(line), "RADIUS");
  EXPECT_EQ(NextToken(line), "0.062");
  EXPECT_EQ(NextToken(line), "x");
  EXPECT_EQ(line, "");
}

TEST(Read3DORadiusTest, TakesTheLastRadiusOfTheMaterialPhase) {
  const std::pair<const char*, std::optional<float>> cases[] = {
      {"# MODEL\r\nMATERIALS 2\r\n 0: radius.mat\r\n 1: b.mat\r\nSECTION: GEOMETRYDEF\r\n"
       "RADIUS 0.062\r\nGEOSETS 1\r\nGEOSET 0\r\nMESH 0\r\nRADIUS 0.5\r\n",
       0.062f},
      {"RADIUS 3\nMATERIALS 1\nGEOSET 0\nRADIUS 4\n", std::nullopt},
      {"MATERIALS 1\nHIERARCHY NODES 2\nRADIUS 4\n", std::nullopt},
      {"MATERIALS 1\nGEOSET 0\nRADIUS 4\nMATERIALS 0\nRADIUS 5\n", 5.0f},
      {"MATERIALS 0\nRADIUS 1\nRADIUS 2\nGEOSET 0\n", 2.0f},
      {"materials 0\nradius 0.5\n", 0.5f},
      {"MATERIALS 0\nRADIUS\t0.25\n", 0.25f},
      {"MATERIALS 0\n\t  RADIUS     0.75   \r\n", 0.75f},
      {"MATERIALS 0\nRADIUS 1.5 # the model's\n# RADIUS 9\n  #RADIUS 8\n", 1.5f},
      {"MATERIALS 0\n# GEOSET 0\nRADIUS 6\n", 6.0f},  // a comment ends nothing
      {"MATERIALS 1\nRADIUS: 9\n", std::nullopt},     // looks like a material entry
      {"MATERIALS 1\nSECTION: X\nRADIUS 2\n", 2.0f},
      {"MATERIALS 0\nRADIUS -.5x\n", -0.5f},
      {"MATERIALS 0\nRADIUS\n", 0.0f},
      {"", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    StringLineSource lines(text);
    EXPECT_EQ(Read3DORadius(lines), expected) << text;
    EXPECT_TRUE(lines.AtEnd()) << text;
  }
}

}  // namespace
}  // namespace kx::resources
