#include "resources/MatFile.h"

#include "platform/CommandError.h"

#include <algorithm>
#include <limits>

namespace kx::resources {

namespace {

using platform::CommandError;

constexpr std::string_view kMagic{"MAT \x32\0\0\0", 8};
constexpr std::size_t kTextureRecordSize = 40;
constexpr std::size_t kColourRecordSize = 24;
constexpr std::size_t kTextureHeaderSize = 24;

std::int32_t I32At(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
  }
  return static_cast<std::int32_t>(value);
}

[[noreturn]] void ShortData(const std::string& source, const std::string& what,
                            std::uint64_t needed, std::size_t offset, std::size_t size) {
  throw CommandError("Read beyond end of file",
                     source + ": " + std::to_string(needed) + " bytes at offset " +
                         std::to_string(offset) + " are needed for " + what + ", the file holds " +
                         std::to_string(size > offset ? size - offset : 0) + " from there");
}

[[noreturn]] void Invalid(const std::string& source, const std::string& what) {
  throw CommandError("Invalid material", source + ": " + what);
}

void Require(std::string_view bytes, std::size_t offset, std::uint64_t needed,
             const std::string& source, const std::string& what) {
  if (offset > bytes.size() || needed > bytes.size() - offset) {
    ShortData(source, what, needed, offset, bytes.size());
  }
}

std::string Counted(std::int64_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string CelName(std::size_t index, std::size_t count) {
  return "cel " + std::to_string(index + 1) + " of " + std::to_string(count);
}

ColourFormat ReadFormat(std::string_view header, bool texture, const std::string& source) {
  // The colour format follows type, record and texture counts and the colour mode.
  ColourFormat format;
  format.bitsPerPixel = I32At(header, 24);
  format.redBits = I32At(header, 28);
  format.greenBits = I32At(header, 32);
  format.blueBits = I32At(header, 36);
  format.redShift = I32At(header, 40);
  format.greenShift = I32At(header, 44);
  format.blueShift = I32At(header, 48);
  // A colour material never reads its format, so only a texture's has to make sense.
  if (!texture || format.IsIndexed()) return format;
  const std::int32_t bits[] = {format.redBits, format.greenBits, format.blueBits};
  const std::int32_t shifts[] = {format.redShift, format.greenShift, format.blueShift};
  for (int c = 0; c < 3; ++c) {
    if (bits[c] < 0 || bits[c] > 8 || shifts[c] < 0 || shifts[c] > format.bitsPerPixel - bits[c]) {
      Invalid(source, "the " + std::to_string(format.bitsPerPixel) + "-bit colour format has " +
                          std::to_string(bits[c]) + " bits at shift " + std::to_string(shifts[c]) +
                          " for " +
                          (c == 0   ? "red"
                           : c == 1 ? "green"
                                    : "blue"));
    }
  }
  return format;
}

}  // namespace

int ColourFormat::BytesPerPixel() const {
  switch (bitsPerPixel) {
    case 16:
      return 2;
    case 24:
      return 3;
    case 32:
      return 4;
    default:
      return 1;
  }
}

std::uint64_t CelPixelBytes(std::int32_t width, std::int32_t height, std::int32_t mips,
                            int bytesPerPixel) {
  if (width <= 0 || height <= 0 || mips <= 0) return 0;
  std::uint64_t total = 0;
  // Past 31 halvings every level is empty, so a huge mip count costs nothing.
  for (std::int32_t level = 0; level < mips && level < 31; ++level) {
    const std::uint64_t w = static_cast<std::uint64_t>(width) >> level;
    const std::uint64_t h = static_cast<std::uint64_t>(height) >> level;
    total += w * h;
  }
  const auto perPixel = static_cast<std::uint64_t>(std::max(bytesPerPixel, 1));
  if (total > std::numeric_limits<std::uint64_t>::max() / perPixel) {
    return std::numeric_limits<std::uint64_t>::max();
  }
  return total * perPixel;
}

std::optional<MatFile> DecodeMat(std::string_view bytes, const std::string& source) {
  Require(bytes, 0, kMatHeaderSize, source, "the header");
  if (bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;

  MatFile mat;
  mat.type = I32At(bytes, 8);
  mat.format = ReadFormat(bytes, mat.IsTexture(), source);
  const std::int32_t count = I32At(bytes, 12);
  if (count < 0) Invalid(source, "the header gives a cel count of " + std::to_string(count));
  const auto cels = static_cast<std::size_t>(count);
  const std::size_t recordSize = mat.IsTexture() ? kTextureRecordSize : kColourRecordSize;
  // Every cel of a texture also has its own texture header after the records.
  const std::size_t minimumPerCel = recordSize + (mat.IsTexture() ? kTextureHeaderSize : 0);
  Require(bytes, kMatHeaderSize, std::uint64_t{cels} * minimumPerCel, source,
          "the headers of " + Counted(static_cast<std::int64_t>(cels), "cel"));

  mat.cels.resize(cels);
  std::size_t offset = kMatHeaderSize;
  for (auto& cel : mat.cels) {
    // Only the low byte of the record's second field names a colour.
    cel.colourIndex = static_cast<std::uint8_t>(bytes[offset + 4]);
    offset += recordSize;
  }
  if (!mat.IsTexture()) return mat;

  const int bytesPerPixel = mat.format.BytesPerPixel();
  for (std::size_t i = 0; i < cels; ++i) {
    Cel& cel = mat.cels[i];
    Require(bytes, offset, kTextureHeaderSize, source, "the texture header of " + CelName(i, cels));
    cel.width = I32At(bytes, offset);
    cel.height = I32At(bytes, offset + 4);
    cel.mips = I32At(bytes, offset + 20);
    offset += kTextureHeaderSize;
    if (cel.width < 0 || cel.height < 0 || cel.mips < 1) {
      Invalid(source, CelName(i, cels) + " is " + std::to_string(cel.width) + "x" +
                          std::to_string(cel.height) + " with " +
                          Counted(cel.mips, "mip-map level"));
    }
    // A side longer than what is left can never be filled; say so in the cel's own terms.
    const std::size_t left = bytes.size() - offset;
    if ((cel.height > 0 && static_cast<std::uint64_t>(cel.width) > left) ||
        (cel.width > 0 && static_cast<std::uint64_t>(cel.height) > left)) {
      ShortData(source,
                "the pixels of " + CelName(i, cels) + " (" + std::to_string(cel.width) + "x" +
                    std::to_string(cel.height) + ")",
                std::uint64_t{static_cast<std::uint32_t>(cel.width)} *
                    static_cast<std::uint32_t>(cel.height) * bytesPerPixel,
                offset, bytes.size());
    }
    const std::uint64_t pixelBytes = CelPixelBytes(cel.width, cel.height, cel.mips, bytesPerPixel);
    Require(bytes, offset, pixelBytes, source,
            "the pixels of " + CelName(i, cels) + " (" + std::to_string(cel.width) + "x" +
                std::to_string(cel.height) + ", " + Counted(cel.mips, "mip-map level") + ")");
    const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.data() + offset);
    cel.pixels.assign(first, first + pixelBytes);
    offset += static_cast<std::size_t>(pixelBytes);
  }
  return mat;
}

std::string MatInfoText(const MatFile& mat) {
  std::string text =
      (mat.IsTexture() ? "texture " : "color ") + std::to_string(mat.cels.size()) + "\n";
  for (const Cel& cel : mat.cels) {
    if (mat.IsTexture()) {
      text += std::to_string(cel.width) + "x" + std::to_string(cel.height) + " " +
              std::to_string(cel.mips) + "\n";
    } else {
      text += "colour " + std::to_string(cel.colourIndex) + "\n";
    }
  }
  return text;
}

}  // namespace kx::resources
