#include "support/MapTestLevel.h"

namespace kx::test {

template <typename T>
static T& Append(level::Table<T>& table, int& index) {
  index = table.count++;
  T& record = table[index];
  record = T{};
  return record;
}

static level::RecordMarks InUse() {
  level::RecordMarks marks;
  marks.empty = 0;
  return marks;
}

int MapTestLevel::Vertex(float x, float y, float z) {
  int index = 0;
  auto& v = Append(m_level->vertices, index);
  v.x = x, v.y = y, v.z = z;
  v.marks = InUse();
  return index;
}

int MapTestLevel::Surface(std::initializer_list<int> vertices) {
  int index = 0;
  auto& s = Append(m_level->surfaces, index);
  for (const int v : vertices) s.vertices[static_cast<std::size_t>(s.nverts++)].vertex = v;
  s.marks = InUse();
  return index;
}

int MapTestLevel::Square(float x0, float y0, float x1, float y1, float z) {
  const int a = Vertex(x0, y0, z);
  const int b = Vertex(x1, y0, z);
  const int c = Vertex(x1, y1, z);
  const int d = Vertex(x0, y1, z);
  return Surface({a, b, c, d});
}

int MapTestLevel::Sector(int firstsurface, int nsurfaces) {
  int index = 0;
  auto& s = Append(m_level->sectors, index);
  s.firstsurface = firstsurface;
  s.nsurfaces = nsurfaces;
  s.marks = InUse();
  return index;
}

int MapTestLevel::Model(const std::string& name, float radius) {
  int index = 0;
  auto& m = Append(m_level->models, index);
  m.name = name;
  m.radius = radius;
  return index;
}

int MapTestLevel::Template(const std::string& name, const std::string& params) {
  int index = 0;
  auto& t = Append(m_level->templates, index);
  t.name = name;
  t.basedon = "none";
  t.params = params;
  return index;
}

int MapTestLevel::Thing(const std::string& templateName, float x, float y, float z) {
  int index = 0;
  auto& t = Append(m_level->things, index);
  t.templateName = templateName;
  t.x = x, t.y = y, t.z = z;
  t.marks = InUse();
  return index;
}

}  // namespace kx::test
