#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// Number texts of the level files and the property panel.
namespace kx::level {

/// Fixed notation with exactly six decimals, "-" for negative values, no padding:
/// 1 gives "1.000000", -0.25 gives "-0.250000". A value that rounds to zero is "0.000000".
std::string FormatFloat6(float value);

/// Appends FormatFloat6(value) to out (the writer's form, without a temporary string).
void AppendFloat6(std::string& out, float value);

/// "0x" and the value in upper-case hexadecimal with at least four digits (0x0010, 0x12345).
std::string FlagText(std::uint32_t value);

/// Appends FlagText(value) to out.
void AppendFlagText(std::string& out, std::uint32_t value);

/// The float of the leading well-formed part of text (optional blanks, sign, digits, "." and
/// digits, exponent with E or e); never fails: malformed or empty text gives what its leading
/// part gives, or 0.
float ParseFloat(std::string_view text);

/// Whether text, after leading blanks and a sign, begins with a word the runtime reads as an
/// infinity or a NaN: "INF", "INFINITY" or "NAN" in any case, not followed by a letter or digit
/// ("info.mat" is no such word).
bool SpellsInfinityOrNaN(std::string_view text);

/// ParseFloat for values a level keeps: nullopt when the number lies beyond the float range
/// (1e39) or the text spells an infinity or NaN ("inf", "-NaN", any case), values that a saved
/// level could not give back. Inline: it runs for every float of a large level.
inline std::optional<float> ParseFiniteFloat(std::string_view text) {
  const float value = ParseFloat(text);
  // ParseFloat gives infinity only for a number beyond the range, and 0 for those words; a
  // text that begins with a digit is neither.
  if (std::isinf(value)) return std::nullopt;
  if (value == 0 && !text.empty() && (text[0] < '0' || text[0] > '9') &&
      SpellsInfinityOrNaN(text)) {
    return std::nullopt;
  }
  return value;
}

/// The float when the whole of text (after leading blanks) is a well-formed decimal number.
std::optional<float> ParseWholeFloat(std::string_view text);

/// A flag word: the first two characters (normally "0x") are skipped, then hexadecimal digits
/// of either case, most significant first, wrapping at 32 bits; reading stops at the first
/// character that is not a hexadecimal digit. An empty remainder gives 0.
std::uint32_t ParseHex(std::string_view text);

/// The integer when text is, after leading blanks, an optional sign and decimal digits (or "$"
/// and hexadecimal digits) up to its end, within the signed 32-bit range.
std::optional<std::int32_t> ParseWholeInt(std::string_view text);

/// Like ParseWholeInt, but throws CommandError "'%s' is not a valid integer value" with the
/// offending text in place of %s. detail names the place (file and line) for the error box.
std::int32_t ParseStrictInt(std::string_view text, const std::string& detail = {});

/// The value of the leading well-formed integer part of text; never fails; empty gives 0.
/// A value beyond the 32-bit range stops at the last digit that fits.
std::int32_t ParseLenientInt(std::string_view text);

}  // namespace kx::level
