#include "level/Words.h"

#include <gtest/gtest.h>

namespace kx::level {
namespace {

TEST(NextWordTest, SplitsAtTheFirstBlankOrTabAndTrimsBothParts) {
  std::string_view line = "  \tmat\t\t wall.mat  1.0\r";
  EXPECT_EQ(NextWord(line), "mat");
  EXPECT_EQ(line, "wall.mat  1.0");
  EXPECT_EQ(NextWord(line), "wall.mat");
  EXPECT_EQ(NextWord(line), "1.0");
  EXPECT_EQ(line, "");
  EXPECT_EQ(NextWord(line), "");
  EXPECT_EQ(WordAt("TINT 0.5\t0.25 1", 3), "0.25");
  EXPECT_EQ(WordAt("TINT 0.5", 3), "");
}

TEST(WordsTest, CaseAndTrimTouchOnlyAsciiLettersAndBlanks) {
  EXPECT_EQ(ToUpperAscii("mat\\Wall_1.mat \xe9"), "MAT\\WALL_1.MAT \xe9");
  EXPECT_TRUE(EqualsIgnoringCase("Cog", "COG"));
  EXPECT_FALSE(EqualsIgnoringCase("cog", "cogs"));
  EXPECT_TRUE(StartsWithIgnoringCase("Section: sounds", "SECTION: SOUNDS"));
  EXPECT_FALSE(StartsWithIgnoringCase("SECTION", "SECTION: SOUNDS"));
  EXPECT_EQ(Trim("\x1a \t x y \r\n"), "x y");
}

}  // namespace
}  // namespace kx::level
