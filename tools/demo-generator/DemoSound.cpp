#include "DemoSound.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace kx::demo {

namespace {

void PutU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutU16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

}  // namespace

std::string HumWavBytes() {
  constexpr std::uint32_t kRate = 11025;
  std::string samples;
  for (std::uint32_t i = 0; i < kRate; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double wave = 0.5 * std::sin(2 * std::numbers::pi * 60 * t) +
                        0.3 * std::sin(2 * std::numbers::pi * 120 * t) +
                        0.15 * std::sin(2 * std::numbers::pi * 180 * t) *
                            (0.6 + 0.4 * std::sin(2 * std::numbers::pi * 3 * t));
    // Unsigned 8-bit samples are centred on 128.
    samples += static_cast<char>(static_cast<std::uint8_t>(std::lround(128 + 60 * wave)));
  }
  std::string out = "RIFF";
  PutU32(out, static_cast<std::uint32_t>(36 + samples.size()));
  out += "WAVEfmt ";
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, 1);  // mono
  PutU32(out, kRate);
  PutU32(out, kRate);  // bytes per second
  PutU16(out, 1);      // bytes per sample frame
  PutU16(out, 8);      // bits per sample
  out += "data";
  PutU32(out, static_cast<std::uint32_t>(samples.size()));
  return out + samples;
}

}  // namespace kx::demo
