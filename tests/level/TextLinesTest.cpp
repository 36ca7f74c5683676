#include "level/TextLines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kx::level {
namespace {

std::vector<std::string> Lines(std::string_view text) {
  TextLines lines(text);
  std::vector<std::string> result;
  std::string_view line;
  while (lines.Next(line)) {
    result.emplace_back(line);
    EXPECT_EQ(lines.LineNumber(), static_cast<std::int64_t>(result.size()));
  }
  return result;
}

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(TextLinesTest, CrLfLfAndCrEachEndOneLine) {
  EXPECT_THAT(Lines("a\r\nb\nc\rd"), ElementsAre("a", "b", "c", "d"));
  EXPECT_THAT(Lines("a\r\n"), ElementsAre("a"));
  EXPECT_THAT(Lines("\r\n\r\n"), ElementsAre("", ""));
  EXPECT_THAT(Lines("\n\r"), ElementsAre("", "")) << "LF CR is two line ends";
  EXPECT_THAT(Lines("a\r\r\nb"), ElementsAre("a", "", "b"));
  EXPECT_THAT(Lines(""), IsEmpty());
}

TEST(TextLinesTest, CtrlZEndsTheText) {
  EXPECT_THAT(Lines("a\r\nb\x1a\r\nc\r\n"), ElementsAre("a", "b"));
  EXPECT_THAT(Lines("\x1a" "a\r\n"), IsEmpty());
}

TEST(TextLinesTest, CountLineEndsAgreesWithTheLinesRead) {
  for (const std::string_view text :
       {"a\r\nb\nc\rd", "a\r\n", "\r\n\r\n", "\n\r", "a\r\r\nb", "", "x", "a\nb\x1a\nc\n",
        "\r", "\n\n\n", "\r\r\n\n"}) {
    const auto lines = static_cast<std::int64_t>(Lines(text).size());
    const std::int64_t ends = CountLineEnds(text);
    // A last line without a line end is read but not counted.
    EXPECT_TRUE(ends == lines || ends == lines - 1) << text;
    const std::string withEnd = std::string(text.substr(0, text.find('\x1a'))) + "\n";
    EXPECT_EQ(CountLineEnds(withEnd), static_cast<std::int64_t>(Lines(withEnd).size())) << text;
  }
}

}  // namespace
}  // namespace kx::level
