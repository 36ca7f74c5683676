#include "level/Numbers.h"

#include "platform/CommandError.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kx::level {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::size_t SkipLeadingBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return i;
}

/// Length of the well-formed decimal number at the start of text (0 when there is none).
/// Accepts "-.5", ".045", "5.", "2.775558E-17".
std::size_t FloatPrefixLength(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t expStart = j;
    while (j < text.size() && IsDigit(text[j])) ++j;
    if (j > expStart) i = j;
  }
  return i;
}

/// The float nearest to the number at the start of text when that is quick to find exactly,
/// else nothing. Handles an optional sign, digits, "." and digits, up to the first other
/// character; at most 15 significant digits and no exponent. The digits make an exact integer;
/// divided by an exact power of ten the double is correctly rounded, and rounding it once more
/// to float gives the nearest float unless the double lies next to the midpoint of two floats.
/// A large level holds several hundred thousand floats: this is several times faster than the
/// general conversion.
std::optional<float> QuickFloat(std::string_view text) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::uint64_t digits = 0;
  int significant = 0;
  int exponent = 0;
  bool any = false;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    any = true;
    digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
    significant += digits != 0;
  }
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) {
      any = true;
      digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
      significant += digits != 0;
      --exponent;
    }
  }
  if (!any || significant > 15 || -exponent > 22) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) return std::nullopt;
  float value = 0;
  if (digits != 0) {
    const double scaled = static_cast<double>(digits) / kPowers[-exponent];
    const auto bits = std::bit_cast<std::uint64_t>(scaled);
    const std::uint64_t dropped = bits & ((std::uint64_t{1} << 29) - 1);
    const std::uint64_t half = std::uint64_t{1} << 28;
    if (dropped + 1 >= half && dropped <= half + 1) return std::nullopt;  // next to a midpoint
    if (scaled < 1.2e-38 || scaled > 3.4e38) return std::nullopt;  // subnormal or too large
    value = static_cast<float>(scaled);
  }
  return negative ? -value : value;
}

float ConvertFloatPrefix(std::string_view number) {
  // from_chars takes no leading "+"; the sign is applied here.
  bool negative = false;
  if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
    negative = number[0] == '-';
    number.remove_prefix(1);
  }
  float value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond the float range: what the runtime's conversion gives (infinity or zero).
    const std::string copy(number);
    value = std::strtof(copy.c_str(), nullptr);
  }
  return negative ? -value : value;
}

/// Parses an optional sign and digits (or "$" and hex digits); returns the length used,
/// 0 when there is no number. overflow tells whether the value left the 32-bit range.
std::size_t IntPrefix(std::string_view text, std::int64_t& value, bool& overflow) {
  value = 0;
  overflow = false;
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
  std::size_t digitsStart = i;
  if (i < text.size() && text[i] == '$') {
    ++i;
    digitsStart = i;
    while (i < text.size() && HexDigit(text[i]) >= 0) {
      const std::int64_t next = value * 16 + HexDigit(text[i]);
      if (next > limit) {
        overflow = true;
        break;
      }
      value = next;
      ++i;
    }
  } else {
    while (i < text.size() && IsDigit(text[i])) {
      const std::int64_t next = value * 10 + (text[i] - '0');
      if (next > limit) {
        overflow = true;
        break;
      }
      value = next;
      ++i;
    }
  }
  if (i == digitsStart) return 0;
  if (negative) value = -value;
  return i;
}

}  // namespace

namespace {

std::string SlowFloat6(float value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof(buffer), static_cast<double>(value),
                              std::chars_format::fixed, 6);
  if (result.ec != std::errc()) {
    std::string big(400, '\0');
    const int n = std::snprintf(big.data(), big.size(), "%.6f", static_cast<double>(value));
    big.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return big;
  }
  std::string text(buffer, result.ptr);
  if (text == "-0.000000") return "0.000000";
  return text;
}

}  // namespace

// A float is m * 2^e with m below 2^24. For every float below 2^63 the value in millionths,
// rounded half to even as printf rounds, is computed exactly in 64-bit integers; saving a
// large level writes several hundred thousand floats, and this is many times faster than
// the general conversion. Larger values, infinities and NaN take the general way.
void AppendFloat6(std::string& out, float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  const bool negative = (bits >> 31) != 0;
  const int exponentField = static_cast<int>((bits >> 23) & 0xFF);
  const std::uint64_t fraction = bits & 0x7FFFFF;
  if (exponentField == 0xFF) {
    out += SlowFloat6(value);
    return;
  }
  const std::uint64_t mantissa = exponentField == 0 ? fraction : (fraction | 0x800000);
  const int exponent = (exponentField == 0 ? 1 : exponentField) - 150;
  std::uint64_t whole = 0;
  std::uint64_t millionths = 0;
  if (exponent >= 0) {
    if (exponent > 39) {
      out += SlowFloat6(value);
      return;
    }
    whole = mantissa << exponent;
  } else {
    const int shift = -exponent;
    const std::uint64_t scaled = mantissa * 1000000u;  // below 2^44
    std::uint64_t rounded = 0;
    if (shift < 64) {
      rounded = scaled >> shift;
      const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
      const std::uint64_t half = std::uint64_t{1} << (shift - 1);
      if (rest > half || (rest == half && (rounded & 1) != 0)) ++rounded;
    }
    whole = rounded / 1000000u;
    millionths = rounded % 1000000u;
  }
  if (negative && (whole != 0 || millionths != 0)) out += '-';
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof(digits), whole).ptr;
  out.append(digits, end);
  char decimals[7] = {'.', '0', '0', '0', '0', '0', '0'};
  for (int i = 6; i >= 1; --i) {
    decimals[i] = static_cast<char>('0' + millionths % 10);
    millionths /= 10;
  }
  out.append(decimals, sizeof(decimals));
}

std::string FormatFloat6(float value) {
  std::string text;
  AppendFloat6(text, value);
  return text;
}

void AppendFlagText(std::string& out, std::uint32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char buffer[8];
  int length = 0;
  do {
    buffer[length++] = kDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  out += "0x";
  for (int i = length; i < 4; ++i) out += '0';
  while (length > 0) out += buffer[--length];
}

std::string FlagText(std::uint32_t value) {
  std::string text;
  AppendFlagText(text, value);
  return text;
}

float ParseFloat(std::string_view text) {
  text.remove_prefix(SkipLeadingBlanks(text));
  if (const auto quick = QuickFloat(text)) return *quick;
  const std::size_t length = FloatPrefixLength(text);
  return length == 0 ? 0.0f : ConvertFloatPrefix(text.substr(0, length));
}

bool SpellsInfinityOrNaN(std::string_view text) {
  text.remove_prefix(SkipLeadingBlanks(text));
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
  for (const std::string_view word : {"INFINITY", "INF", "NAN"}) {
    if (text.size() < word.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < word.size() && same; ++i) {
      same = (text[i] >= 'a' && text[i] <= 'z' ? text[i] - 32 : text[i]) == word[i];
    }
    if (!same) continue;
    if (text.size() == word.size()) return true;
    const char next = text[word.size()];
    return !IsDigit(next) && !((next | 0x20) >= 'a' && (next | 0x20) <= 'z');
  }
  return false;
}

std::optional<float> ParseWholeFloat(std::string_view text) {
  text.remove_prefix(SkipLeadingBlanks(text));
  const std::size_t length = FloatPrefixLength(text);
  if (length == 0 || length != text.size()) return std::nullopt;
  return ConvertFloatPrefix(text);
}

std::uint32_t ParseHex(std::string_view text) {
  std::uint32_t value = 0;
  for (std::size_t i = 2; i < text.size(); ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) break;
    value = value * 16u + static_cast<std::uint32_t>(digit);
  }
  return value;
}

std::optional<std::int32_t> ParseWholeInt(std::string_view text) {
  text.remove_prefix(SkipLeadingBlanks(text));
  std::int64_t value = 0;
  bool overflow = false;
  const std::size_t length = IntPrefix(text, value, overflow);
  if (length == 0 || overflow || length != text.size()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::int32_t ParseStrictInt(std::string_view text, const std::string& detail) {
  if (const auto value = ParseWholeInt(text)) return *value;
  throw platform::CommandError::InvalidInteger(std::string(text), detail);
}

std::int32_t ParseLenientInt(std::string_view text) {
  text.remove_prefix(SkipLeadingBlanks(text));
  std::int64_t value = 0;
  bool overflow = false;
  IntPrefix(text, value, overflow);
  return static_cast<std::int32_t>(value);
}

}  // namespace kx::level
