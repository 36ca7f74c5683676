#include "level/Numbers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "platform/CommandError.h"

namespace kx::level {
namespace {

using ::testing::HasSubstr;
using ::testing::Property;
using ::testing::Throws;

TEST(FormatFloat6Test, WritesFixedSixDecimalsWithoutPadding) {
  EXPECT_EQ(FormatFloat6(1.0f), "1.000000");
  EXPECT_EQ(FormatFloat6(-0.25f), "-0.250000");
  EXPECT_EQ(FormatFloat6(0.5f), "0.500000");
  EXPECT_EQ(FormatFloat6(1234.5f), "1234.500000");
  EXPECT_EQ(FormatFloat6(0.0f), "0.000000");
}

TEST(FormatFloat6Test, WritesNegativeZeroAndTinyNegativesAsZero) {
  EXPECT_EQ(FormatFloat6(-0.0f), "0.000000");
  EXPECT_EQ(FormatFloat6(-2.775558E-17f), "0.000000");
}

TEST(FormatFloat6Test, PrintsEveryDigitOfVeryLargeValues) {
  EXPECT_EQ(FormatFloat6(1e20f), "100000002004087734272.000000");
}

TEST(FormatFloat6Test, RoundTripsThroughParseFloat) {
  for (float value : {0.1f, -1.234567f, 12345.678f, 3.0e-7f, -8192.125f}) {
    const std::string once = FormatFloat6(value);
    EXPECT_EQ(FormatFloat6(ParseFloat(once)), once) << value;
  }
}

TEST(FormatFloat6Test, RoundsExactHalvesToEvenAsPrintfDoes) {
  EXPECT_EQ(FormatFloat6(0.0078125f), "0.007812");   // 7812.5 millionths
  EXPECT_EQ(FormatFloat6(0.0234375f), "0.023438");   // 23437.5 millionths
  EXPECT_EQ(FormatFloat6(-0.0078125f), "-0.007812");
  EXPECT_EQ(FormatFloat6(1e-7f), "0.000000");
  EXPECT_EQ(FormatFloat6(-4e-7f), "0.000000");
  EXPECT_EQ(FormatFloat6(-6e-7f), "-0.000001");
  EXPECT_EQ(FormatFloat6(16777216.0f), "16777216.000000");
}

TEST(FormatFloat6Test, AgreesWithPrintfOnEveryKindOfFloat) {
  std::mt19937 random(631);
  std::uniform_int_distribution<std::uint32_t> bits;
  for (int i = 0; i < 200000; ++i) {
    std::uint32_t pattern = bits(random);
    // Half of the cases in the range levels use, the rest anywhere.
    if (i % 2 == 0) pattern = (pattern & 0x807FFFFFu) | ((100u + pattern % 60u) << 23);
    const float value = std::bit_cast<float>(pattern);
    if (std::isnan(value)) continue;
    char expected[400];
    std::snprintf(expected, sizeof(expected), "%.6f", static_cast<double>(value));
    std::string wanted = expected;
    if (wanted == "-0.000000") wanted = "0.000000";
    ASSERT_EQ(FormatFloat6(value), wanted) << std::hexfloat << value;
  }
}

TEST(FlagTextTest, UsesAtLeastFourUpperCaseDigits) {
  EXPECT_EQ(FlagText(16), "0x0010");
  EXPECT_EQ(FlagText(0x12345), "0x12345");
  EXPECT_EQ(FlagText(0xabcd), "0xABCD");
  EXPECT_EQ(FlagText(0xFFFFFFFFu), "0xFFFFFFFF");
}

TEST(ParseFloatTest, ReadsTheFormsRealLevelsWrite) {
  EXPECT_FLOAT_EQ(ParseFloat("-.5"), -0.5f);
  EXPECT_FLOAT_EQ(ParseFloat(".045"), 0.045f);
  EXPECT_FLOAT_EQ(ParseFloat("2.775558E-17"), 2.775558E-17f);
  EXPECT_FLOAT_EQ(ParseFloat("1e3"), 1000.0f);
  EXPECT_FLOAT_EQ(ParseFloat("+7"), 7.0f);
  EXPECT_FLOAT_EQ(ParseFloat("  \t3.25"), 3.25f);
  EXPECT_FLOAT_EQ(ParseFloat("5."), 5.0f);
}

TEST(ParseFloatTest, RoundsToTheNearestFloatLikeStrtof) {
  // Halfway between two floats: ties go to the even one.
  EXPECT_EQ(ParseFloat("16777217"), 16777216.0f);
  EXPECT_EQ(ParseFloat("16777219"), 16777220.0f);
  EXPECT_EQ(ParseFloat("0.1"), 0.1f);
  EXPECT_EQ(ParseFloat("-0"), -0.0f);
  EXPECT_TRUE(std::signbit(ParseFloat("-0.000")));
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
    ASSERT_EQ(std::bit_cast<std::uint32_t>(ParseFloat(text)), std::bit_cast<std::uint32_t>(expected))
        << text;
  }
}

TEST(ParseFloatTest, TakesTheLeadingPartOfMalformedText) {
  EXPECT_EQ(ParseFloat(""), 0.0f);
  EXPECT_EQ(ParseFloat("abc"), 0.0f);
  EXPECT_EQ(ParseFloat("-"), 0.0f);
  EXPECT_EQ(ParseFloat("."), 0.0f);
  EXPECT_FLOAT_EQ(ParseFloat("1.5abc"), 1.5f);
  EXPECT_FLOAT_EQ(ParseFloat("1.2.3"), 1.2f);
  EXPECT_FLOAT_EQ(ParseFloat("4e"), 4.0f);
  EXPECT_FLOAT_EQ(ParseFloat("4e+"), 4.0f);
}

TEST(ParseFloatTest, HugeExponentsGiveInfinityNotUndefinedBehaviour) {
  EXPECT_TRUE(std::isinf(ParseFloat("1e999")));
  EXPECT_EQ(ParseFloat("1e-999"), 0.0f);
}

TEST(ParseWholeFloatTest, RefusesLeftoverCharacters) {
  EXPECT_EQ(ParseWholeFloat("0.25"), 0.25f);
  EXPECT_EQ(ParseWholeFloat(" 2"), 2.0f);
  EXPECT_EQ(ParseWholeFloat("0x1"), std::nullopt);
  EXPECT_EQ(ParseWholeFloat("2 "), std::nullopt);
  EXPECT_EQ(ParseWholeFloat(""), std::nullopt);
  EXPECT_EQ(ParseWholeFloat("door.cog"), std::nullopt);
}

TEST(ParseHexTest, SkipsTheFirstTwoCharactersWhateverTheyAre) {
  EXPECT_EQ(ParseHex("0x0010"), 16u);
  EXPECT_EQ(ParseHex("0XaBc"), 0xABCu);
  EXPECT_EQ(ParseHex("zz12"), 0x12u);
  EXPECT_EQ(ParseHex("0x"), 0u);
  EXPECT_EQ(ParseHex(""), 0u);
  EXPECT_EQ(ParseHex("1"), 0u);
}

TEST(ParseHexTest, WrapsAtThirtyTwoBitsAndStopsAtANonDigit) {
  EXPECT_EQ(ParseHex("0x1FFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseHex("0x12G4"), 0x12u);
}

TEST(ParseWholeIntTest, AcceptsSignsDigitsAndDollarHex) {
  EXPECT_EQ(ParseWholeInt("12"), 12);
  EXPECT_EQ(ParseWholeInt("  -7"), -7);
  EXPECT_EQ(ParseWholeInt("+3"), 3);
  EXPECT_EQ(ParseWholeInt("$10"), 16);
  EXPECT_EQ(ParseWholeInt("-$ff"), -255);
  EXPECT_EQ(ParseWholeInt("2147483647"), 2147483647);
  EXPECT_EQ(ParseWholeInt("-2147483648"), -2147483647 - 1);
}

TEST(ParseWholeIntTest, RefusesEverythingElse) {
  for (const char* text : {"", "-", "+", "$", "12abc", "1.5", "2147483648", "-2147483649",
                           "0x10", "7 ", "$g"}) {
    EXPECT_EQ(ParseWholeInt(text), std::nullopt) << text;
  }
}

TEST(ParseStrictIntTest, ThrowsTheRuntimeTextWithTheOffendingWord) {
  EXPECT_THAT([] { ParseStrictInt("12abc", "level.jkl, line 4"); },
              Throws<platform::CommandError>(
                  Property(&platform::CommandError::text, "'12abc' is not a valid integer value")));
  EXPECT_THAT([] { ParseStrictInt("", "x"); },
              Throws<platform::CommandError>(
                  Property(&platform::CommandError::detail, HasSubstr("x"))));
}

TEST(ParseLenientIntTest, TakesTheLeadingPartAndNeverFails) {
  EXPECT_EQ(ParseLenientInt("42 sectors"), 42);
  EXPECT_EQ(ParseLenientInt(""), 0);
  EXPECT_EQ(ParseLenientInt("abc"), 0);
  EXPECT_EQ(ParseLenientInt("-12x"), -12);
  EXPECT_EQ(ParseLenientInt("99999999999"), 999999999);
}

}  // namespace
}  // namespace kx::level
