#include "level/TextLines.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>
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
  EXPECT_THAT(Lines("\x1a"
                    "a\r\n"),
              IsEmpty());
}

TEST(TextLinesTest, CountLineEndsAgreesWithTheLinesRead) {
  for (const std::string_view text : {"a\r\nb\nc\rd", "a\r\n", "\r\n\r\n", "\n\r", "a\r\r\nb", "",
                                      "x", "a\nb\x1a\nc\n", "\r", "\n\n\n", "\r\r\n\n"}) {
    const auto lines = static_cast<std::int64_t>(Lines(text).size());
    const std::int64_t ends = CountLineEnds(text);
    // A last line without a line end is read but not counted.
    EXPECT_TRUE(ends == lines || ends == lines - 1) << text;
    const std::string withEnd = std::string(text.substr(0, text.find('\x1a'))) + "\n";
    EXPECT_EQ(CountLineEnds(withEnd), static_cast<std::int64_t>(Lines(withEnd).size())) << text;
  }
}

TEST(TextLinesTest, CountLineEndsMatchesTheLinesOfRandomTexts) {
  // Texts of line ends and letters, long enough to cross many eight-byte blocks at every offset.
  std::mt19937 random(631);
  const char pieces[] = {'\r', '\n', 'a', ' '};
  for (int round = 0; round < 2000; ++round) {
    // Now and then one long enough to fill the counters of many blocks.
    const std::size_t length = round % 50 == 0 ? 5000 + random() % 5000 : random() % 70;
    std::string text(length, 'x');
    for (char& c : text) c = pieces[random() % 4];
    std::int64_t lines = 0;
    TextLines reader(text);
    std::string_view line;
    while (reader.Next(line)) ++lines;
    const bool endsInLineEnd = !text.empty() && (text.back() == '\r' || text.back() == '\n');
    ASSERT_EQ(CountLineEnds(text), endsInLineEnd ? lines : std::max<std::int64_t>(lines - 1, 0))
        << ::testing::PrintToString(text);
  }
}

TEST(TextLinesTest, LongTextsWithCrAloneAreSplitInOnePass) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "0: 1 2 3\r";
  TextLines reader(text);
  std::string_view line;
  std::int64_t lines = 0;
  while (reader.Next(line)) {
    ++lines;
    ASSERT_EQ(line, "0: 1 2 3");
  }
  EXPECT_EQ(lines, 200000);
  EXPECT_EQ(CountLineEnds(text), 200000);
  // Nothing but line ends: every counter of the block counting is as full as it gets.
  EXPECT_EQ(CountLineEnds(std::string(10000, '\n')), 10000);
  EXPECT_EQ(CountLineEnds(std::string(10001, '\r')), 10001);
}

}  // namespace
}  // namespace kx::level
