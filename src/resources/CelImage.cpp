#include "resources/CelImage.h"

#include <stdexcept>
#include <string>

namespace kx::resources {

namespace {

std::size_t PixelCount(int width, int height, std::size_t available, std::size_t bytesPerPixel) {
  if (width < 0 || height < 0) throw std::invalid_argument("negative image size");
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (available / bytesPerPixel < count) {
    throw std::invalid_argument("an image of " + std::to_string(width) + "x" +
                                std::to_string(height) + " needs more than the " +
                                std::to_string(available) + " pixel bytes given");
  }
  return count;
}

// A channel of `bits` bits spread over 0..255, so that its largest value is full intensity.
std::uint8_t Widen(std::uint32_t pixel, std::int32_t bits, std::int32_t shift) {
  if (bits <= 0 || bits > 8 || shift < 0 || shift > 31) return 0;
  const std::uint32_t maximum = (1u << bits) - 1;
  const std::uint32_t value = (pixel >> shift) & maximum;
  return static_cast<std::uint8_t>((value * 255 + maximum / 2) / maximum);
}

}  // namespace

Rgb RgbImage::At(int x, int y) const {
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                          static_cast<std::size_t>(x)) *
                         3;
  return Rgb{rgb.at(at), rgb.at(at + 1), rgb.at(at + 2)};
}

RgbImage DrawIndexedImage(int width, int height, std::span<const std::uint8_t> pixels,
                          const Palette& palette) {
  const std::size_t count = PixelCount(width, height, pixels.size(), 1);
  RgbImage image{width, height, std::vector<std::uint8_t>(count * 3)};
  std::uint8_t* out = image.rgb.data();
  for (std::size_t i = 0; i < count; ++i) {
    const Rgb& colour = palette[pixels[i]];
    *out++ = colour.red;
    *out++ = colour.green;
    *out++ = colour.blue;
  }
  return image;
}

RgbImage DrawDirectColourImage(int width, int height, std::span<const std::uint8_t> pixels,
                               const ColourFormat& format) {
  const auto bytesPerPixel = static_cast<std::size_t>(format.BytesPerPixel());
  const std::size_t count = PixelCount(width, height, pixels.size(), bytesPerPixel);
  RgbImage image{width, height, std::vector<std::uint8_t>(count * 3)};
  std::uint8_t* out = image.rgb.data();
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t pixel = 0;
    for (std::size_t b = bytesPerPixel; b-- > 0;)
      pixel = (pixel << 8) | pixels[i * bytesPerPixel + b];
    *out++ = Widen(pixel, format.redBits, format.redShift);
    *out++ = Widen(pixel, format.greenBits, format.greenShift);
    *out++ = Widen(pixel, format.blueBits, format.blueShift);
  }
  return image;
}

RgbImage DrawCel(const MatFile& mat, std::size_t index, const Palette& palette) {
  const Cel& cel = mat.cels.at(index);
  if (!mat.IsTexture()) {
    const Rgb colour = palette[cel.colourIndex];
    RgbImage image{kPreviewSide, kPreviewSide,
                   std::vector<std::uint8_t>(std::size_t{kPreviewSide} * kPreviewSide * 3)};
    for (std::size_t i = 0; i < image.rgb.size(); i += 3) {
      image.rgb[i] = colour.red;
      image.rgb[i + 1] = colour.green;
      image.rgb[i + 2] = colour.blue;
    }
    return image;
  }
  if (mat.format.IsIndexed()) return DrawIndexedImage(cel.width, cel.height, cel.pixels, palette);
  return DrawDirectColourImage(cel.width, cel.height, cel.pixels, mat.format);
}

}  // namespace kx::resources
