#pragma once

#include "building/Vec3.h"

#include "level/Level.h"

#include <vector>

namespace kx::building {

/// A light that shines on the surfaces of the sector it stands in.
struct PointLight {
  Vec3 position;
  double intensity = 1;  // at the light itself
  double range = 1;      // where it has faded to nothing, in world units
  int sector = 0;
};

/// Sets the intensity of every surface corner of the level's sectors: the sector's ambient light
/// plus, from each light in that sector, its intensity fading linearly to nothing at its range
/// and with the angle at which it meets the surface; kept from 0 to 1, to four decimals.
void LightSurfaces(level::Level& level, const std::vector<PointLight>& lights);

}  // namespace kx::building
