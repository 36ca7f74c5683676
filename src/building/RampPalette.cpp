#include "building/RampPalette.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>

namespace kx::building {

namespace {

// Each ramp passes through its base colour two thirds of the way up and ends at its highlight.
struct RampColours {
  Colour base, highlight;
};

constexpr std::array<RampColours, kRampCount> kRamps{{
    {{150, 150, 150}, {255, 255, 255}},  // Grey
    {{150, 62, 42}, {236, 172, 140}},    // Brick
    {{172, 150, 110}, {246, 236, 210}},  // Sand
    {{100, 116, 132}, {222, 232, 242}},  // Steel
    {{58, 108, 200}, {226, 240, 255}},   // Sky
    {{138, 92, 48}, {232, 196, 140}},    // Wood
    {{232, 160, 32}, {255, 250, 200}},   // Amber
    {{200, 52, 20}, {255, 204, 120}},    // Ember
}};

constexpr double kBaseAt = 0.65;

std::uint8_t Channel(double value) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

void PutU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::uint8_t RampIndex(Ramp ramp, int shade) {
  return static_cast<std::uint8_t>(static_cast<int>(ramp) * kRampSize +
                                   std::clamp(shade, 0, kRampSize - 1));
}

resources::Palette RampPalette() {
  resources::Palette palette{};
  for (int r = 0; r < kRampCount; ++r) {
    const RampColours& ramp = kRamps[static_cast<std::size_t>(r)];
    for (int shade = 0; shade < kRampSize; ++shade) {
      // The grey ramp starts at black itself; the others start one step above it.
      const double t = r == 0 ? shade / double(kRampSize - 1) : (shade + 1) / double(kRampSize);
      Colour c;
      if (t <= kBaseAt) {
        const double k = t / kBaseAt;
        c = {ramp.base.r * k, ramp.base.g * k, ramp.base.b * k};
      } else {
        const double k = (t - kBaseAt) / (1 - kBaseAt);
        c = {ramp.base.r + (ramp.highlight.r - ramp.base.r) * k,
             ramp.base.g + (ramp.highlight.g - ramp.base.g) * k,
             ramp.base.b + (ramp.highlight.b - ramp.base.b) * k};
      }
      palette[RampIndex(static_cast<Ramp>(r), shade)] = {Channel(c.r), Channel(c.g), Channel(c.b)};
    }
  }
  return palette;
}

std::uint8_t NearestIndex(const resources::Palette& palette, const Colour& colour) {
  // Green counts most and blue least, as the eye sees differences.
  double best = std::numeric_limits<double>::max();
  std::uint8_t bestIndex = 0;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const double dr = palette[i].red - colour.r;
    const double dg = palette[i].green - colour.g;
    const double db = palette[i].blue - colour.b;
    const double distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (distance < best) {
      best = distance;
      bestIndex = static_cast<std::uint8_t>(i);
    }
  }
  return bestIndex;
}

std::string ColormapBytes(const resources::Palette& palette) {
  // Header: "CMP ", version 30, a flag saying the blend table follows, and the colormap's tint
  // (red, green and blue factors of 1: none).
  std::string out = "CMP ";
  PutU32(out, 30);
  PutU32(out, 1);
  for (int i = 0; i < 3; ++i) PutU32(out, std::bit_cast<std::uint32_t>(1.0f));
  out.resize(resources::kColormapPaletteOffset, '\0');
  for (const auto& rgb : palette) {
    out += static_cast<char>(rgb.red);
    out += static_cast<char>(rgb.green);
    out += static_cast<char>(rgb.blue);
  }
  // 64 light levels of 256 entries each: level L holds every colour at L / 63 of its brightness.
  constexpr int kLevels = 64;
  for (int level = 0; level < kLevels; ++level) {
    const double k = level / double(kLevels - 1);
    for (std::size_t i = 0; i < palette.size(); ++i) {
      const auto index = level == kLevels - 1
                             ? static_cast<std::uint8_t>(i)
                             : NearestIndex(palette, {palette[i].red * k, palette[i].green * k,
                                                      palette[i].blue * k});
      out += static_cast<char>(index);
    }
  }
  // Half-transparent surfaces blend each pair of colours half and half.
  std::string blend(256 * 256, '\0');
  for (std::size_t a = 0; a < 256; ++a) {
    for (std::size_t b = a; b < 256; ++b) {
      const auto index = NearestIndex(palette, {(palette[a].red + palette[b].red) / 2.0,
                                                (palette[a].green + palette[b].green) / 2.0,
                                                (palette[a].blue + palette[b].blue) / 2.0});
      blend[a * 256 + b] = blend[b * 256 + a] = static_cast<char>(index);
    }
  }
  return out + blend;
}

}  // namespace kx::building
