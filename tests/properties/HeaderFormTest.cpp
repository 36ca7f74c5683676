#include "properties/HeaderForm.h"

#include <gtest/gtest.h>

namespace kx::properties {
namespace {

level::LevelHeader SomeHeader() {
  return {1, 4, 15, 100, 768, {0, 0}, {0, 0}, {1, 2, 3, 4}, {0.3f, 0.6f, 0.9f, 1.2f}, 2, 2};
}

TEST(HeaderFormTest, OnlyTheFirstInvalidBoxInTableOrderIsReported) {
  const struct {
    std::vector<std::pair<int, const char*>> typed;  // box, text
    std::optional<int> firstInvalid;
  } cases[] = {
      {{}, std::nullopt},
      {{{1, "abc"}, {18, "x"}}, 1},  // World Gravity before Gouraud distance
      {{{18, "x"}}, 18},
      {{{0, "1.5"}}, 0},  // the version is an integer
      {{{0, "$10"}, {1, " -2.5e1"}, {5, "7"}}, std::nullopt},
      {{{3, "2 "}}, 3},      // trailing blanks
      {{{16, "1e39"}}, 16},  // beyond a 32-bit float: it would be saved as "inf"
      {{{9, "0x10"}}, 9},
  };
  for (const auto& c : cases) {
    HeaderTexts texts = HeaderToTexts(SomeHeader());
    for (const auto& [box, text] : c.typed) texts[std::size_t(box)] = text;
    EXPECT_EQ(FirstInvalidField(texts), c.firstInvalid) << c.typed.front().second;
  }
  for (int box = 0; box < kHeaderFieldCount; ++box) {
    HeaderTexts texts = HeaderToTexts(SomeHeader());
    texts[std::size_t(box)].clear();
    EXPECT_EQ(FirstInvalidField(texts), box);
  }
  EXPECT_EQ(FieldErrorText(1), "Error in field \"World Gravity\"");
  EXPECT_EQ(FieldErrorText(11), "Error in field \"MipMap Distances (3)\"");
}

TEST(HeaderFormTest, EachBoxGivesItsOwnValueAndUntouchedBoxesKeepTheirValueExactly) {
  HeaderTexts texts;
  for (int i = 0; i < kHeaderFieldCount; ++i) texts[std::size_t(i)] = std::to_string(10 * i + 1);
  const level::LevelHeader expected{
      1, 11, 21, 31, 41, {51, 61}, {71, 81}, {91, 101, 111, 121}, {131, 141, 151, 161}, 171, 181};
  EXPECT_EQ(HeaderFromTexts(level::LevelHeader{}, texts), expected);
  EXPECT_EQ(HeaderToTexts(expected)[1], "11.000000");  // typed as 11, shown with six decimals

  // Six decimals cannot show these; opening the dialog and pressing OK must not round them.
  level::LevelHeader fine = SomeHeader();
  fine.worldGravity = 1e-7f;
  fine.lodDistances[2] = 0.1234567f;
  EXPECT_EQ(HeaderFromTexts(fine, HeaderToTexts(fine)), fine);
  texts = HeaderToTexts(fine);
  texts[1] = "2";
  const level::LevelHeader changed = HeaderFromTexts(fine, texts);
  EXPECT_EQ(changed.worldGravity, 2.0f);
  EXPECT_EQ(changed.lodDistances[2], 0.1234567f);
}

}  // namespace
}  // namespace kx::properties
