#pragma once

#include "level/Level.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace kx::test {

/// Builds small levels in code for the map and selection tests. Every record added is in use,
/// visible and unselected.
class MapTestLevel {
 public:
  MapTestLevel() : m_level(std::make_unique<level::Level>()) {}

  level::Level& level() { return *m_level; }

  int Vertex(float x, float y, float z = 0);
  /// A surface through existing vertex indices (any values, valid or not).
  int Surface(std::initializer_list<int> vertices);
  /// An axis-aligned square in the Top view at height z: four new vertices, counter-clockwise
  /// from (x0, y0).
  int Square(float x0, float y0, float x1, float y1, float z = 0);
  int Sector(int firstsurface, int nsurfaces);
  int Model(const std::string& name, float radius);
  int Template(const std::string& name, const std::string& params);
  int Thing(const std::string& templateName, float x, float y, float z = 0);

 private:
  std::unique_ptr<level::Level> m_level;  // large: kept off the stack
};

}  // namespace kx::test
