#include "resources/ModelRadius.h"

#include <gtest/gtest.h>

namespace kx::resources {
namespace {

std::optional<float> RadiusOf(std::string_view text) {
  StringLineSource lines(text);
  return Read3DORadius(lines);
}

TEST(NextTokenTest, SplitsAtTheFirstTabBeforeAnyBlank) {
  std::string line = "  RADIUS 0.5\t7  ";
  EXPECT_EQ(NextToken(line), "RADIUS 0.5");
  EXPECT_EQ(line, "7");
  EXPECT_EQ(NextToken(line), "7");
  EXPECT_EQ(line, "");
  EXPECT_EQ(NextToken(line), "");
}

TEST(NextTokenTest, SplitsAtTheFirstBlankWithoutTabs) {
  std::string line = "RADIUS    0.062  x";
  EXPECT_EQ(NextToken(line), "RADIUS");
  EXPECT_EQ(line, "0.062  x");
  EXPECT_EQ(NextToken(line), "0.062");
  EXPECT_EQ(line, "x");
}

TEST(Read3DORadiusTest, TakesTheGeometryRadiusNotTheMeshes) {
  const char* text =
      "# MODEL 'x.3do'\r\n"
      "SECTION: HEADER\r\n3DO 2.1\r\n"
      "SECTION: MODELRESOURCE\r\n"
      "MATERIALS 2\r\n"
      "    0:  radius.mat\r\n"
      "    1:  wall.mat\r\n"
      "SECTION: GEOMETRYDEF\r\n"
      "RADIUS 0.062\r\n"
      "INSERT OFFSET 0 0 0\r\n"
      "GEOSETS 1\r\n"
      "GEOSET 0\r\n"
      "MESH 0\r\n"
      "RADIUS 0.5\r\n"
      "HIERARCHY NODES 1\r\n";
  const auto radius = RadiusOf(text);
  ASSERT_TRUE(radius.has_value());
  EXPECT_FLOAT_EQ(*radius, 0.062f);
}

TEST(Read3DORadiusTest, RadiusOutsideTheMaterialPhaseDoesNotCount) {
  EXPECT_FALSE(RadiusOf("RADIUS 3\nMATERIALS 1\n0: a.mat\nGEOSET 0\nRADIUS 4\n"));
  EXPECT_FALSE(RadiusOf("MATERIALS 1\nHIERARCHY NODES 2\nRADIUS 4\n"));
  EXPECT_FALSE(RadiusOf(""));
  // A later MATERIALS line opens the phase again.
  EXPECT_EQ(RadiusOf("MATERIALS 1\nGEOSET 0\nRADIUS 4\nMATERIALS 0\nRADIUS 5\n"), 5.0f);
}

TEST(Read3DORadiusTest, LastRadiusOfThePhaseWins) {
  EXPECT_EQ(RadiusOf("MATERIALS 0\nRADIUS 1\nRADIUS 2\nGEOSET 0\n"), 2.0f);
}

TEST(Read3DORadiusTest, AcceptsLowerCaseTabsBlanksAndComments) {
  EXPECT_EQ(RadiusOf("materials 0\nradius 0.5\n"), 0.5f);
  EXPECT_EQ(RadiusOf("MATERIALS 0\nRADIUS\t0.25\n"), 0.25f);
  EXPECT_EQ(RadiusOf("MATERIALS 0\n\t  RADIUS     0.75   \r\n"), 0.75f);
  EXPECT_EQ(RadiusOf("MATERIALS 0\nRADIUS 1.5 # the model's radius\n"), 1.5f);
  EXPECT_EQ(RadiusOf("MATERIALS 0\nRADIUS 1.5\n# RADIUS 9\n  #RADIUS 8\n"), 1.5f);
  // A comment that swallows the GEOSET keyword does not end the phase.
  EXPECT_EQ(RadiusOf("MATERIALS 0\n# GEOSET 0\nRADIUS 6\n"), 6.0f);
}

TEST(Read3DORadiusTest, MaterialEntriesAreSkippedButSectionLinesAreNot) {
  // "RADIUS: x" looks like a material entry and is skipped.
  EXPECT_FALSE(RadiusOf("MATERIALS 1\nRADIUS: 9\n"));
  EXPECT_EQ(RadiusOf("MATERIALS 1\nRADIUS 2 0:\n"), std::nullopt);
  EXPECT_EQ(RadiusOf("MATERIALS 1\nSECTION: GEOMETRYDEF\nRADIUS 2\n"), 2.0f);
}

TEST(Read3DORadiusTest, MalformedValuesReadAsTheirLeadingNumber) {
  EXPECT_EQ(RadiusOf("MATERIALS 0\nRADIUS abc\n"), 0.0f);
  EXPECT_EQ(RadiusOf("MATERIALS 0\nRADIUS\n"), 0.0f);
  EXPECT_EQ(RadiusOf("MATERIALS 0\nRADIUS -.5x\n"), -0.5f);
}

TEST(Read3DORadiusTest, ReadsTheWholeFile) {
  std::string text = "MATERIALS 0\nRADIUS 1\nGEOSET 0\n";
  StringLineSource lines(text);
  Read3DORadius(lines);
  EXPECT_TRUE(lines.AtEnd());
}

TEST(StringLineSourceTest, SplitsLikeAResourceEntry) {
  StringLineSource lines("a\r\nb\rc\n\nlast");
  EXPECT_EQ(lines.ReadLine(), "a");
  EXPECT_EQ(lines.ReadLine(), "bc");
  EXPECT_EQ(lines.ReadLine(), "");
  EXPECT_FALSE(lines.AtEnd());
  EXPECT_EQ(lines.ReadLine(), "last");
  EXPECT_TRUE(lines.AtEnd());
}

}  // namespace
}  // namespace kx::resources
