#pragma once

#include <string>

namespace kx::demo {

/// A one-second hum of machinery as a WAV file (8-bit mono PCM at 11025 Hz) that loops without a
/// click: every tone in it completes whole cycles in the second.
std::string HumWavBytes();

}  // namespace kx::demo
