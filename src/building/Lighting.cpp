#include "building/Lighting.h"

#include <algorithm>
#include <cmath>

namespace kx::building {

void LightSurfaces(level::Level& level, const std::vector<PointLight>& lights) {
  for (int s = 0; s < level.sectors.Used(); ++s) {
    const level::Sector& sector = level.sectors[s];
    for (int i = sector.firstsurface; i < sector.firstsurface + sector.nsurfaces; ++i) {
      level::Surface& surface = level.surfaces[i];
      const auto& n = level.normals[static_cast<std::size_t>(i)];
      const Vec3 normal{n.x, n.y, n.z};
      for (int c = 0; c < surface.nverts; ++c) {
        const auto& v = level.vertices[surface.vertices[static_cast<std::size_t>(c)].vertex];
        const Vec3 corner{v.x, v.y, v.z};
        double light = sector.ambientlight;
        for (const PointLight& lamp : lights) {
          if (lamp.sector != s) continue;
          const Vec3 toLamp = lamp.position - corner;
          const double distance = Length(toLamp);
          if (distance <= 0 || distance >= lamp.range) continue;
          const double facing = std::max(0.0, Dot(normal, toLamp) / distance);
          light += lamp.intensity * (1 - distance / lamp.range) * facing;
        }
        surface.intensities[static_cast<std::size_t>(c)] =
            static_cast<float>(std::round(std::clamp(light, 0.0, 1.0) * 1e4) / 1e4);
      }
    }
  }
}

}  // namespace kx::building
