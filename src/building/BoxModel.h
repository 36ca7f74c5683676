#pragma once

#include "building/Vec3.h"

#include <string>
#include <vector>

namespace kx::building {

/// One box of a model, in model units around the model's origin, with the material of its
/// faces (an index into the model's material list) and how many texels its faces lay on one
/// unit (0: each face shows its material once).
struct ModelBox {
  Vec3 min, max;
  int material = 0;
  double texelsPerUnit = 0;
};

/// A model made of boxes: its file name, its materials and its boxes.
struct ModelSpec {
  std::string name;
  std::vector<std::string> materials;
  std::vector<ModelBox> boxes;
};

/// The model's radius: the distance from its origin to its farthest vertex.
double ModelRadius(const ModelSpec& model);

/// The model as 3DO text, lines ending in CR LF: the header, the material list, the geometry
/// definition with the model's radius, one geoset holding one mesh of every box's faces (facing
/// out), and a hierarchy of one node.
std::string Model3doText(const ModelSpec& model);

/// A figure of boxes standing on z -0.12 with its origin at the chest, as the game's player models
/// stand: legs, body and arms in bodyMaterial, the head in headMaterial, both laid at the level's
/// texel density.
ModelSpec PlayerFigure(std::string name, std::string bodyMaterial, std::string headMaterial);

}  // namespace kx::building
