#include "DemoModels.h"

#include "DemoNames.h"
#include "building/BoxBuilder.h"

#include <string>

namespace kx::demo {

std::vector<building::ModelSpec> DemoModels() {
  const std::string metal(kMetalMat), glow(kGlowMat);
  constexpr double kTexels = building::kTexelsPerUnit;  // as the level's walls
  return {
      // A crate a tenth of a unit across, showing the whole crate side on every face.
      {std::string(kCrateModel),
       {std::string(kCrateMat)},
       {{{-0.05, -0.05, -0.05}, {0.05, 0.05, 0.05}, 0, 0}}},
      building::PlayerFigure(std::string(kPlayerModel), metal, glow),
      // A post 0.36 high: a base plate, a pole and a glowing lamp on top.
      {std::string(kLightPostModel),
       {metal, glow},
       {
           {{-0.04, -0.04, -0.18}, {0.04, 0.04, -0.16}, 0, kTexels},
           {{-0.012, -0.012, -0.16}, {0.012, 0.012, 0.12}, 0, kTexels},
           {{-0.03, -0.03, 0.12}, {0.03, 0.03, 0.18}, 1, kTexels},
       }},
  };
}

}  // namespace kx::demo
