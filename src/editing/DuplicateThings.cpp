#include "editing/DuplicateThings.h"

#include "building/SectorGeometry.h"

#include <algorithm>

namespace kx::editing {

std::optional<std::string> DuplicateRefusal(const level::Level& level, std::size_t count) {
  if (count == 0) return "Select the things to duplicate first.";
  const int room = std::max(0, level.things.Capacity() - level.things.count);
  if (count <= static_cast<std::size_t>(room)) return std::nullopt;
  return "Duplicating " + std::to_string(count) + " things needs room for " +
         std::to_string(count) + " more, but the level has room for " + std::to_string(room) +
         " (it holds " + std::to_string(level.things.count) + " of " +
         std::to_string(level.things.Capacity()) + ").";
}

std::string DuplicateStepName(std::size_t count) {
  return "Duplicate " + std::to_string(count) + (count == 1 ? " thing" : " things");
}

std::vector<int> DuplicateThings(LevelChange& change, const std::vector<int>& things,
                                 mapview::View view, double offset) {
  const level::Level& level = change.Level();
  const building::SectorLocator locator(level);
  std::vector<int> copies;
  copies.reserve(things.size());
  for (const int t : things) {
    level::Thing copy = level.things[t];
    float& along = view == mapview::View::Right ? copy.y : copy.x;
    along = static_cast<float>(static_cast<double>(along) + offset);
    copy.sector = locator.SectorAt({copy.x, copy.y, copy.z}, copy.sector).value_or(copy.sector);
    const int index = change.Append(RecordKind::Thing);
    copy.marks = level.things[index].marks;
    change.Thing(index) = std::move(copy);
    copies.push_back(index);
  }
  return copies;
}

}  // namespace kx::editing
