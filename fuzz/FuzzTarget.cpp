// One libFuzzer target: KX_FUZZ_ENTRY names the entry point of FuzzEntries.h it feeds.
#include "FuzzEntries.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kx::fuzz::KX_FUZZ_ENTRY(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
