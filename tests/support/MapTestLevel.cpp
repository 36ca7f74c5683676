#include "support/MapTestLevel.h"

namespace kx::test {

namespace {

constexpr level::RecordMarks kInUse{0, 0, 1};

/// Puts record into the next slot of table; returns its index.
template <typename T>
int Append(level::Table<T>& table, T record) {
  table[table.count] = std::move(record);
  return table.count++;
}

}  // namespace

int MapTestLevel::Vertex(float x, float y, float z) {
  return Append(m_level->vertices, {x, y, z, kInUse});
}

int MapTestLevel::Surface(std::initializer_list<int> vertices) {
  level::Surface s;
  for (const int v : vertices) s.vertices[static_cast<std::size_t>(s.nverts++)].vertex = v;
  s.marks = kInUse;
  return Append(m_level->surfaces, std::move(s));
}

int MapTestLevel::Square(float x0, float y0, float x1, float y1, float z) {
  const int a = Vertex(x0, y0, z);
  const int b = Vertex(x1, y0, z);
  const int c = Vertex(x1, y1, z);
  const int d = Vertex(x0, y1, z);
  return Surface({a, b, c, d});
}

int MapTestLevel::Sector(int firstsurface, int nsurfaces) {
  level::Sector s;
  s.firstsurface = firstsurface;
  s.nsurfaces = nsurfaces;
  s.marks = kInUse;
  return Append(m_level->sectors, std::move(s));
}

int MapTestLevel::Model(const std::string& name, float radius) {
  return Append(m_level->models, {name, radius});
}

int MapTestLevel::Template(const std::string& name, const std::string& params) {
  return Append(m_level->templates, {name, "none", params, -1});
}

int MapTestLevel::Thing(const std::string& templateName, float x, float y, float z) {
  return Append(m_level->things, {templateName, "", x, y, z, 0, 0, 0, 0, "", kInUse});
}

}  // namespace kx::test
