#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kx::test {

/// Writes MAT files byte by byte for the decoder tests: a 76-byte header, the cel records, then
/// per texture cel a 24-byte header and its pixels.
class MatBuilder {
 public:
  static MatBuilder Texture() { return MatBuilder(2); }
  static MatBuilder Colour() { return MatBuilder(0); }

  /// A direct-colour format: bits per pixel, then bit count and shift of red, green and blue.
  MatBuilder& Format(int bitsPerPixel, int redBits, int redShift, int greenBits, int greenShift,
                     int blueBits, int blueShift) {
    m_format = {bitsPerPixel, redBits, greenBits, blueBits, redShift, greenShift, blueShift};
    return *this;
  }
  /// A texture cel with explicit pixel bytes (all levels).
  MatBuilder& Cel(std::int32_t width, std::int32_t height, std::int32_t mips, std::string pixels,
                  std::uint32_t colourField = 0) {
    m_cels.push_back({width, height, mips, std::move(pixels), colourField});
    return *this;
  }
  /// A texture cel whose pixel bytes are fill for every level of the usual size.
  MatBuilder& FilledCel(std::int32_t width, std::int32_t height, std::int32_t mips, char fill) {
    std::size_t bytes = 0;
    for (int k = 0; k < mips; ++k) {
      bytes += static_cast<std::size_t>(width >> k) * static_cast<std::size_t>(height >> k);
    }
    return Cel(width, height, mips, std::string(bytes * BytesPerPixel(), fill));
  }
  /// A record of a colour material; the colour index is the field's low byte.
  MatBuilder& ColourCel(std::uint32_t colourField) {
    m_cels.push_back({0, 0, 0, {}, colourField});
    return *this;
  }
  /// The cel count written into the header instead of the real one.
  MatBuilder& CountField(std::int32_t count) {
    m_countOverride = count;
    m_hasCountOverride = true;
    return *this;
  }
  MatBuilder& Magic(std::string eightBytes) {
    m_magic = std::move(eightBytes);
    return *this;
  }

  std::string Bytes() const {
    std::string out = m_magic;
    Put(out, m_type);
    Put(out, m_hasCountOverride ? m_countOverride : static_cast<std::int32_t>(m_cels.size()));
    Put(out, m_type == 2 ? static_cast<std::int32_t>(m_cels.size()) : 0);
    Put(out, m_format[0] == 8 ? 0 : 1);  // colour mode
    for (int value : m_format) Put(out, value);
    while (out.size() < 76) out += '\0';
    for (const auto& cel : m_cels) {
      if (m_type == 2) {
        Put(out, 8);
        Put(out, static_cast<std::int32_t>(cel.colourField));
        out += std::string(32, '\0');
      } else {
        Put(out, 0);
        Put(out, static_cast<std::int32_t>(cel.colourField));
        out += std::string(16, '\0');
      }
    }
    if (m_type != 2) return out;
    for (const auto& cel : m_cels) {
      Put(out, cel.width);
      Put(out, cel.height);
      out += std::string(12, '\0');
      Put(out, cel.mips);
      out += cel.pixels;
    }
    return out;
  }

  static void Put(std::string& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
  }

 private:
  explicit MatBuilder(std::int32_t type) : m_type(type) {}
  std::size_t BytesPerPixel() const { return m_format[0] == 16 ? 2 : 1; }

  struct CelData {
    std::int32_t width, height, mips;
    std::string pixels;
    std::uint32_t colourField;
  };
  std::int32_t m_type;
  std::string m_magic{"MAT \x32\0\0\0", 8};
  std::vector<int> m_format{8, 0, 0, 0, 0, 0, 0};  // bpp, r g b bits, r g b shifts
  std::vector<CelData> m_cels;
  std::int32_t m_countOverride = 0;
  bool m_hasCountOverride = false;
};

}  // namespace kx::test
