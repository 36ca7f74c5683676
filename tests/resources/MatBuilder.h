#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kx::test {

/// MAT files for the decoder tests: the 76-byte header, one record per cel, then per texture
/// cel its 24-byte header and pixels.
class MatBuilder {
 public:
  static MatBuilder Texture() { return MatBuilder(2); }
  static MatBuilder Colour() { return MatBuilder(0); }

  /// Bits per pixel, then bit count and shift of red, green and blue.
  MatBuilder& Format(int bpp, int rBits, int rShift, int gBits, int gShift, int bBits, int bShift) {
    m_format = {bpp, rBits, gBits, bBits, rShift, gShift, bShift};
    return *this;
  }
  MatBuilder& Cel(std::int32_t width, std::int32_t height, std::int32_t mips, std::string pixels) {
    m_cels.push_back({width, height, mips, std::move(pixels), 0});
    return *this;
  }
  /// A texture cel whose levels, of the usual sizes, are all fill.
  MatBuilder& FilledCel(std::int32_t width, std::int32_t height, std::int32_t mips, char fill) {
    std::size_t bytes = 0;
    for (int k = 0; k < mips; ++k) bytes += std::size_t(width >> k) * std::size_t(height >> k);
    return Cel(width, height, mips, std::string(bytes * (m_format[0] == 16 ? 2 : 1), fill));
  }
  /// A colour record; the colour index is the field's low byte.
  MatBuilder& ColourCel(std::uint32_t field) {
    m_cels.push_back({0, 0, 0, {}, field});
    return *this;
  }
  MatBuilder& CountField(std::int32_t count) {
    m_count = count;
    return *this;
  }

  std::string Bytes() const {
    std::string out("MAT \x32\0\0\0", 8);
    const auto cels = static_cast<std::int32_t>(m_cels.size());
    for (int v : {m_type, m_count.value_or(cels), m_type == 2 ? cels : 0, 0}) Put(out, v);
    for (int v : m_format) Put(out, v);
    out.resize(76, '\0');
    for (const auto& cel : m_cels) {
      Put(out, m_type == 2 ? 8 : 0);
      Put(out, static_cast<std::int32_t>(cel.colourField));
      out += std::string(m_type == 2 ? 32 : 16, '\0');
    }
    for (const auto& cel : m_type == 2 ? m_cels : std::vector<CelData>{}) {
      for (int v : {cel.width, cel.height, 0, 0, 0, cel.mips}) Put(out, v);
      out += cel.pixels;
    }
    return out;
  }

 private:
  explicit MatBuilder(std::int32_t type) : m_type(type) {}
  static void Put(std::string& out, std::int32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((std::uint32_t(value) >> (8 * i)) & 0xFF);
  }

  struct CelData {
    std::int32_t width, height, mips;
    std::string pixels;
    std::uint32_t colourField;
  };
  std::int32_t m_type;
  std::vector<int> m_format{8, 0, 0, 0, 0, 0, 0};  // bpp, r g b bits, r g b shifts
  std::vector<CelData> m_cels;
  std::optional<std::int32_t> m_count;
};

}  // namespace kx::test
