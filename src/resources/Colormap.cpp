#include "resources/Colormap.h"

#include "platform/CommandError.h"

namespace kx::resources {

Palette DecodeColormap(std::string_view bytes, const std::string& source) {
  if (bytes.size() < kColormapPaletteEnd) {
    throw platform::CommandError("Read beyond end of file",
                                 source + ": the palette needs bytes " +
                                     std::to_string(kColormapPaletteOffset) + " to " +
                                     std::to_string(kColormapPaletteEnd - 1) + ", the file holds " +
                                     std::to_string(bytes.size()) + " bytes");
  }
  Palette palette;
  const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.data() + kColormapPaletteOffset);
  for (Rgb& entry : palette) {
    entry = Rgb{in[0], in[1], in[2]};
    in += 3;
  }
  return palette;
}

}  // namespace kx::resources
