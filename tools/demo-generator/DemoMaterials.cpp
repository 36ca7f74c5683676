#include "DemoMaterials.h"

#include "DemoNames.h"
#include "building/RampPalette.h"

#include <string>
#include <string_view>

namespace kx::demo {

namespace {

std::string Entry(std::string_view name) {
  return "mat\\" + std::string(name);
}

}  // namespace

std::vector<building::GeneratedFile> DemoMaterials(const resources::Palette& palette) {
  using building::Pattern;
  const auto painted = [&](std::string_view name, Pattern pattern) {
    return building::GeneratedFile{Entry(name), building::PatternMatBytes(palette, pattern)};
  };
  return {
      painted(kBrickMat, Pattern::Brick),
      painted(kFloorMat, Pattern::FloorTile),
      painted(kMetalMat, Pattern::MetalPanel),
      painted(kSkyMat, Pattern::Sky),
      {Entry(kLightsMat), building::LightPanelMatBytes(palette)},
      painted(kCrateMat, Pattern::Crate),
      {Entry(kGlowMat), building::ColourMatBytes({building::RampIndex(building::Ramp::Amber, 27)})},
  };
}

}  // namespace kx::demo
