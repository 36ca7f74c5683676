#include "level/Level.h"

namespace kx::level {

Level::Level() : normals(static_cast<std::size_t>(capacity::kSurfaces)) {}

void Level::ResetAllSlotMarks() {
  const RecordMarks fresh;
  for (auto& v : vertices.items) v.marks = fresh;
  for (auto& s : surfaces.items) s.marks = fresh;
  for (auto& s : sectors.items) s.marks = fresh;
  for (auto& t : things.items) t.marks = fresh;
}

std::string CutTo(std::string_view text, std::size_t limit) {
  return std::string(text.substr(0, limit));
}

}  // namespace kx::level
