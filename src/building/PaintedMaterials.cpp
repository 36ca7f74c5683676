#include "building/PaintedMaterials.h"

#include "building/RampPalette.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace kx::building {

namespace {

void PutI32(std::string& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

void PutF32(std::string& out, float value) {
  PutI32(out, std::bit_cast<std::int32_t>(value));
}

// "MAT ", version 0x32, the type (2 texture, 0 colour), the record and texture counts, and an
// 8-bit indexed colour format; the rest of the 76 bytes stays 0.
std::string MatHeader(std::int32_t type, std::int32_t records, std::int32_t textures) {
  std::string out = "MAT ";
  for (const std::int32_t value : {0x32, type, records, textures, 0, 8}) PutI32(out, value);
  out.resize(76, '\0');
  return out;
}

std::uint32_t Mix(std::uint32_t h) {
  h ^= h >> 16;
  h *= 0x7feb352dU;
  h ^= h >> 15;
  h *= 0x846ca68bU;
  h ^= h >> 16;
  return h;
}

// A value from 0 to 1 that depends only on its arguments.
double Hash(int x, int y, int seed) {
  const std::uint32_t h = Mix(static_cast<std::uint32_t>(x) * 0x9E3779B1U ^
                              Mix(static_cast<std::uint32_t>(y) * 0x85EBCA77U ^
                                  static_cast<std::uint32_t>(seed) * 0xC2B2AE3DU));
  return (h & 0xFFFFFF) / double(0x1000000);
}

int Wrap(int value, int period) {
  return ((value % period) + period) % period;
}

// Smoothly interpolated lattice values that repeat every periodX by periodY cells, so that a
// texture made of them tiles without a seam.
double ValueNoise(double x, double y, int periodX, int periodY, int seed) {
  const int x0 = static_cast<int>(std::floor(x));
  const int y0 = static_cast<int>(std::floor(y));
  const double fx = x - x0, fy = y - y0;
  const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  auto at = [&](int dx, int dy) {
    return Hash(Wrap(x0 + dx, periodX), Wrap(y0 + dy, periodY), seed);
  };
  const double top = at(0, 0) + (at(1, 0) - at(0, 0)) * sx;
  const double bottom = at(0, 1) + (at(1, 1) - at(0, 1)) * sx;
  return top + (bottom - top) * sy;
}

// Octaves of noise over a texture of side texels: the first has cells texels across.
double Fractal(int x, int y, int side, int cells, int octaves, int seed) {
  double sum = 0, weight = 0, amplitude = 1;
  for (int o = 0; o < octaves; ++o) {
    const int period = cells << o;
    sum += amplitude * ValueNoise(x * period / double(side), y * period / double(side), period,
                                  period, seed + o);
    weight += amplitude;
    amplitude *= 0.5;
  }
  return sum / weight;
}

Colour Scale(const Colour& c, double k) {
  return {c.r * k, c.g * k, c.b * k};
}

Colour Blend(const Colour& a, const Colour& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double SmoothStep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

using Painter = std::function<Colour(int x, int y)>;

// Paints a square texture and reduces it to its mip-map levels: each level averages 2 x 2
// texels of the one before, and every level is matched to the palette on its own.
std::vector<std::uint8_t> PaintCel(const resources::Palette& palette, const Painter& paint) {
  int side = kTextureSide;
  std::vector<Colour> image(static_cast<std::size_t>(side * side));
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) image[static_cast<std::size_t>(y * side + x)] = paint(x, y);
  }
  std::vector<std::uint8_t> pixels;
  for (int level = 0; level < kTextureMips; ++level) {
    for (const Colour& c : image) pixels.push_back(NearestIndex(palette, c));
    const int half = side / 2;
    std::vector<Colour> smaller(static_cast<std::size_t>(half * half));
    for (int y = 0; y < half; ++y) {
      for (int x = 0; x < half; ++x) {
        Colour sum;
        for (const auto& [dx, dy] :
             {std::pair{0, 0}, std::pair{1, 0}, std::pair{0, 1}, std::pair{1, 1}}) {
          const Colour& c = image[static_cast<std::size_t>((2 * y + dy) * side + 2 * x + dx)];
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
        smaller[static_cast<std::size_t>(y * half + x)] = Scale(sum, 0.25);
      }
    }
    image = std::move(smaller);
    side = half;
  }
  return pixels;
}

// Rows of bricks eight texels high and sixteen long, every other row shifted by half a brick,
// in light grey mortar; each brick has its own shade, a lit top and a shaded bottom.
Colour Brick(int x, int y) {
  const int row = y / 8;
  const int shifted = x + (row % 2) * 8;
  const int local = shifted % 16, height = y % 8;
  const double grain = Fractal(x, y, kTextureSide, 8, 3, 11);
  if (height == 7 || local == 0) {
    const double grey = 128 + 50 * (grain - 0.5);
    return {grey, grey, grey * 0.94};
  }
  const int brick = row * 4 + (shifted / 16) % 4;
  double shade = (0.78 + 0.34 * Hash(brick, 0, 12)) * (0.82 + 0.36 * grain);
  if (height == 0) shade *= 1.15;
  if (height == 6) shade *= 0.8;
  if (Hash(x, y, 13) > 0.94) shade *= 0.72;
  return Scale({150, 62, 42}, shade);
}

// Four square tiles with dark grout and bevelled edges.
Colour FloorTile(int x, int y) {
  const int lx = x % 32, ly = y % 32;
  const double grain = Fractal(x, y, kTextureSide, 8, 3, 21);
  if (lx < 2 || ly < 2) {
    const double grey = 64 + 30 * (grain - 0.5);
    return {grey, grey * 0.97, grey * 0.92};
  }
  const int tile = (y / 32) * 2 + x / 32;
  double shade = (0.9 + 0.16 * Hash(tile, 1, 22)) * (0.88 + 0.24 * grain);
  if (lx == 2 || ly == 2) shade *= 1.14;
  if (lx == 31 || ly == 31) shade *= 0.82;
  return Scale({172, 150, 110}, shade);
}

// A brushed steel panel with a bevelled rim and a rivet in each corner.
Colour MetalPanel(int x, int y) {
  if (x < 2 || y < 2) return {196, 204, 214};
  if (x >= kTextureSide - 2 || y >= kTextureSide - 2) return {44, 50, 58};
  const double streak = ValueNoise(x / 16.0, y, 4, kTextureSide, 31);
  const double fine = Fractal(x, y, kTextureSide, 16, 2, 32);
  Colour c = Scale({104, 118, 134}, 0.86 + 0.18 * streak + 0.1 * (fine - 0.5));
  for (const auto& [cx, cy] :
       {std::pair{7.5, 7.5}, std::pair{55.5, 7.5}, std::pair{7.5, 55.5}, std::pair{55.5, 55.5}}) {
    const double dx = x - cx, dy = y - cy;
    if (dx * dx + dy * dy <= 6.5) c = dx + dy < 0 ? Colour{210, 218, 228} : Colour{60, 68, 78};
  }
  return c;
}

// Blue sky with soft white clouds.
Colour Sky(int x, int y) {
  const double cloud = SmoothStep(0.48, 0.72, Fractal(x, y, kTextureSide, 4, 5, 41));
  const Colour blue = Scale({56, 104, 196}, 0.92 + 0.16 * Fractal(x, y, kTextureSide, 2, 2, 42));
  return Blend(blue, {236, 240, 250}, cloud);
}

// A dark panel of four amber lamps. In cel `cel` one lamp burns brightly and the others glow
// dimly; from cel to cel the bright one goes round the panel.
Colour LightPanel(int x, int y, int cel) {
  constexpr int kRound[kLightPanelCels] = {0, 1, 3, 2};
  const int lamp = (y / 32) * 2 + x / 32;
  const int lit = kRound[cel % kLightPanelCels];
  const double lx = x % 32 - 15.5, ly = y % 32 - 15.5;
  const double grain = Fractal(x, y, kTextureSide, 8, 2, 51);
  if (std::abs(lx) > 11 || std::abs(ly) > 11) return Scale({62, 68, 76}, 0.85 + 0.3 * grain);
  if (std::abs(lx) > 9 || std::abs(ly) > 9) return {112, 122, 134};
  const double fromCentre = std::sqrt(lx * lx + ly * ly) / 12.7;
  const double brightness = lamp == lit ? 1.0 : 0.34;
  const Colour amber = Scale({250, 176, 48}, brightness * (1.05 - 0.35 * fromCentre));
  return lamp == lit ? Blend(amber, {255, 246, 210}, std::max(0.0, 0.6 - fromCentre)) : amber;
}

// A crate side: vertical planks in a frame, with a diagonal brace.
Colour Crate(int x, int y) {
  const double grain = ValueNoise(x / 2.0, y / 16.0, 32, 4, 61);
  const Colour board = Scale({142, 96, 52}, 0.82 + 0.3 * grain);
  const Colour frame = Scale({112, 74, 38}, 0.85 + 0.25 * grain);
  const int edge = std::min({x, y, kTextureSide - 1 - x, kTextureSide - 1 - y});
  if (edge == 0) return Scale(frame, 0.6);
  if (edge < 7) return edge == 1 ? Scale(frame, 1.15) : frame;
  if (std::abs(x - y) < 5) return std::abs(x - y) == 4 ? Scale(frame, 0.7) : frame;
  if ((x - 7) % 13 == 0) return Scale(board, 0.45);
  return board;
}

}  // namespace

std::string TextureMatBytes(std::int32_t width, std::int32_t height, std::int32_t mips,
                            const std::vector<std::vector<std::uint8_t>>& cels) {
  std::size_t perCel = 0;
  for (std::int32_t level = 0; level < mips; ++level) {
    perCel += static_cast<std::size_t>(width >> level) * static_cast<std::size_t>(height >> level);
  }
  const auto count = static_cast<std::int32_t>(cels.size());
  std::string out = MatHeader(2, count, count);
  for (std::int32_t i = 0; i < count; ++i) {
    // A texture record as materials made for the game carry it: record type 8, no transparent
    // colour, four factors of 1, and the number of the texture it shows.
    PutI32(out, 8);
    PutI32(out, 0);
    for (int k = 0; k < 4; ++k) PutF32(out, 1.0f);
    for (const std::uint32_t value : {0U, 0xBFF78482U, 0U}) {
      PutI32(out, static_cast<std::int32_t>(value));
    }
    PutI32(out, i);
  }
  for (const auto& cel : cels) {
    if (cel.size() != perCel) {
      throw std::invalid_argument("a cel of " + std::to_string(cel.size()) + " bytes, not " +
                                  std::to_string(perCel));
    }
    for (const std::int32_t value : {width, height, 0, 0, 0, mips}) PutI32(out, value);
    out.append(reinterpret_cast<const char*>(cel.data()), cel.size());
  }
  return out;
}

std::string ColourMatBytes(const std::vector<std::uint8_t>& colourIndices) {
  std::string out = MatHeader(0, static_cast<std::int32_t>(colourIndices.size()), 0);
  for (const std::uint8_t index : colourIndices) {
    PutI32(out, 0);
    PutI32(out, index);
    for (int k = 0; k < 4; ++k) PutF32(out, 1.0f);
  }
  return out;
}

std::string PatternMatBytes(const resources::Palette& palette, Pattern pattern) {
  Painter paint;
  switch (pattern) {
    case Pattern::Brick:
      paint = Brick;
      break;
    case Pattern::FloorTile:
      paint = FloorTile;
      break;
    case Pattern::MetalPanel:
      paint = MetalPanel;
      break;
    case Pattern::Sky:
      paint = Sky;
      break;
    case Pattern::Crate:
      paint = Crate;
      break;
  }
  return TextureMatBytes(kTextureSide, kTextureSide, kTextureMips, {PaintCel(palette, paint)});
}

std::string LightPanelMatBytes(const resources::Palette& palette) {
  std::vector<std::vector<std::uint8_t>> cels;
  for (int cel = 0; cel < kLightPanelCels; ++cel) {
    cels.push_back(PaintCel(palette, [cel](int x, int y) { return LightPanel(x, y, cel); }));
  }
  return TextureMatBytes(kTextureSide, kTextureSide, kTextureMips, cels);
}

}  // namespace kx::building
