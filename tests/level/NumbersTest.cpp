#include "level/Numbers.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

namespace kx::level {
namespace {

TEST(FormatFloat6Test, AgreesWithPrintfButNeverWritesMinusZero) {
  EXPECT_EQ(FormatFloat6(-0.0f), "0.000000");
  // Exact halves of a millionth round to even, as printf rounds them.
  EXPECT_EQ(FormatFloat6(0.0078125f), "0.007812");
  EXPECT_EQ(FormatFloat6(0.0234375f), "0.023438");
  std::mt19937 random(631);
  for (int i = 0; i < 200000; ++i) {
    std::uint32_t pattern = random();
    // Half of the cases in the range levels use, the rest anywhere.
    if (i % 2 == 0) pattern = (pattern & 0x807FFFFFu) | ((100u + pattern % 60u) << 23);
    const float value = std::bit_cast<float>(pattern);
    if (std::isnan(value)) continue;
    char expected[400];
    std::snprintf(expected, sizeof(expected), "%.6f", static_cast<double>(value));
    ASSERT_EQ(FormatFloat6(value), std::string(expected) == "-0.000000" ? "0.000000" : expected)
        << std::hexfloat << value;
  }
}

TEST(FlagTextTest, UsesAtLeastFourUpperCaseDigits) {
  EXPECT_EQ(FlagText(16), "0x0010");
  EXPECT_EQ(FlagText(0xabcd), "0xABCD");
  EXPECT_EQ(FlagText(0xFFFFFFFFu), "0xFFFFFFFF");
}

TEST(ParseFloatTest, ReadsTheFormsRealLevelsWriteAndTheLeadingPartOfAnythingElse) {
  EXPECT_EQ(ParseFloat("-.5"), -0.5f);
  EXPECT_EQ(ParseFloat(".045"), 0.045f);
  EXPECT_EQ(ParseFloat("2.775558E-17"), 2.775558E-17f);
  EXPECT_EQ(ParseFloat("+7"), 7.0f);
  EXPECT_EQ(ParseFloat(" \t3.25"), 3.25f);
  EXPECT_EQ(ParseFloat("1.5abc"), 1.5f);
  EXPECT_EQ(ParseFloat("1.2.3"), 1.2f);
  EXPECT_EQ(ParseFloat("4e+"), 4.0f);
  EXPECT_EQ(ParseFloat("abc"), 0.0f);
  EXPECT_EQ(ParseFloat("-"), 0.0f);
  EXPECT_EQ(ParseFloat("1e-999"), 0.0f);
  EXPECT_TRUE(std::isinf(ParseFloat("1e999")));
  // Halfway between two floats: ties go to the even one.
  EXPECT_EQ(ParseFloat("16777217"), 16777216.0f);
  EXPECT_EQ(ParseFloat("16777219"), 16777220.0f);
}

TEST(ParseFloatTest, RoundsToTheNearestFloatLikeStrtof) {
  std::mt19937 random(631);
  for (int i = 0; i < 200000; ++i) {
    std::string text = random() % 2 ? "-" : "";
    const int whole = static_cast<int>(random() % 12);
    const int fraction = static_cast<int>(random() % 12);
    for (int d = 0; d < whole; ++d) text += static_cast<char>('0' + random() % 10);
    if (random() % 4 != 0) text += '.';
    for (int d = 0; d < fraction; ++d) text += static_cast<char>('0' + random() % 10);
    if (random() % 10 == 0) text += "e" + std::to_string(static_cast<int>(random() % 80) - 40);
    if (text.find_first_of("0123456789") == std::string::npos) continue;
    const float expected = std::strtof(text.c_str(), nullptr);
    ASSERT_EQ(std::bit_cast<std::uint32_t>(ParseFloat(text)),
              std::bit_cast<std::uint32_t>(expected))
        << text;
  }
}

TEST(ParseFiniteFloatTest, IsParseFloatButRefusesWhatAFloatCannotHoldOrGiveBack) {
  const std::pair<const char*, float> kept[] = {
      {"-.5", -0.5f}, {"", 0},   {"abc", 0},      {"1.5inf", 1.5f}, {"3.4028234e38", FLT_MAX},
      {"1e-50", 0},   {"in", 0}, {"info.mat", 0}, {"nano", 0},      {"Infinite", 0}};
  for (const auto& [text, value] : kept) EXPECT_EQ(ParseFiniteFloat(text), value) << text;
  for (const char* text : {"1e39", "-1e39", "3.5e38", "340282356779733661637539395458142568448",
                           "inf", "-INF", "+nan", "NaN(1)", "infinity", " \t-Inf", "inf junk"}) {
    EXPECT_EQ(ParseFiniteFloat(text), std::nullopt) << text;
  }
}

TEST(ParseWholeFloatTest, RefusesLeftoverCharacters) {
  EXPECT_EQ(ParseWholeFloat(" 0.25"), 0.25f);
  for (const char* text : {"0x1", "2 ", "", "door.cog"}) {
    EXPECT_EQ(ParseWholeFloat(text), std::nullopt) << text;
  }
}

TEST(ParseHexTest, SkipsTwoCharactersThenReadsDigitsUpToANonDigitWrappingAt32Bits) {
  EXPECT_EQ(ParseHex("0x0010"), 16u);
  EXPECT_EQ(ParseHex("0XaBc"), 0xABCu);
  EXPECT_EQ(ParseHex("zz12"), 0x12u);
  EXPECT_EQ(ParseHex("1"), 0u);
  EXPECT_EQ(ParseHex("0x12G4"), 0x12u);
  EXPECT_EQ(ParseHex("0x1FFFFFFFF"), 0xFFFFFFFFu);
}

TEST(ParseWholeIntTest, AcceptsSignsDigitsAndDollarHexWithin32BitsOnly) {
  EXPECT_EQ(ParseWholeInt("  -7"), -7);
  EXPECT_EQ(ParseWholeInt("+3"), 3);
  EXPECT_EQ(ParseWholeInt("-$ff"), -255);
  EXPECT_EQ(ParseWholeInt("2147483647"), INT32_MAX);
  EXPECT_EQ(ParseWholeInt("-2147483648"), INT32_MIN);
  for (const char* text :
       {"", "-", "$", "12abc", "1.5", "2147483648", "-2147483649", "0x10", "7 ", "$g"}) {
    EXPECT_EQ(ParseWholeInt(text), std::nullopt) << text;
  }
}

TEST(ParseLenientIntTest, TakesTheLeadingPartAndNeverFails) {
  EXPECT_EQ(ParseLenientInt("42 sectors"), 42);
  EXPECT_EQ(ParseLenientInt("abc"), 0);
  EXPECT_EQ(ParseLenientInt("-12x"), -12);
  EXPECT_EQ(ParseLenientInt("99999999999"), 999999999);
}

}  // namespace
}  // namespace kx::level
