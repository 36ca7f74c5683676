#include "level/TextLines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace kx::level {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> Lines(std::string_view text) {
  TextLines lines(text);
  std::vector<std::string> result;
  for (std::string_view line; lines.Next(line);) {
    result.emplace_back(line);
    EXPECT_EQ(lines.LineNumber(), static_cast<std::int64_t>(result.size()));
  }
  return result;
}

TEST(TextLinesTest, CrLfLfAndCrEachEndOneLineAndCtrlZEndsTheText) {
  EXPECT_THAT(Lines("a\r\nb\nc\rd"), ElementsAre("a", "b", "c", "d"));
  EXPECT_THAT(Lines("\n\r"), ElementsAre("", "")) << "LF CR is two line ends";
  EXPECT_THAT(Lines("a\r\r\nb\r\n"), ElementsAre("a", "", "b"));
  EXPECT_THAT(Lines(""), IsEmpty());
  EXPECT_THAT(Lines("a\r\nb\x1a\r\nc\r\n"), ElementsAre("a", "b"));
  EXPECT_EQ(CountLineEnds("a\r\nb\x1a\r\nc\r\n"), 1);
}

TEST(TextLinesTest, CountLineEndsMatchesTheLinesOfRandomTexts) {
  // Texts of line ends and letters, long enough to cross many sixteen-byte blocks at every
  // offset, now and then long enough to fill the counters of many blocks.
  std::mt19937 random(631);
  const char pieces[] = {'\r', '\n', 'a', ' '};
  for (int round = 0; round < 2000; ++round) {
    std::string text(round % 50 == 0 ? 5000 + random() % 5000 : random() % 70, 'x');
    for (char& c : text) c = pieces[random() % 4];
    const auto lines = static_cast<std::int64_t>(Lines(text).size());
    const bool endsInLineEnd = !text.empty() && (text.back() == '\r' || text.back() == '\n');
    ASSERT_EQ(CountLineEnds(text), endsInLineEnd ? lines : std::max<std::int64_t>(lines - 1, 0))
        << ::testing::PrintToString(text);
  }
  // Nothing but line ends: every counter of the block counting is as full as it gets.
  EXPECT_EQ(CountLineEnds(std::string(10000, '\n')), 10000);
  EXPECT_EQ(CountLineEnds(std::string(10001, '\r')), 10001);
}

TEST(TextLinesTest, LongTextsWithCrAloneAreSplitInOnePass) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "0: 1 2 3\r";
  TextLines reader(text);
  std::int64_t lines = 0;
  for (std::string_view line; reader.Next(line); ++lines) ASSERT_EQ(line, "0: 1 2 3");
  EXPECT_EQ(lines, 200000);
}

}  // namespace
}  // namespace kx::level
