#include "editing/ChangeSet.h"

#include <type_traits>
#include <utility>

namespace kx::editing {

namespace {

constexpr std::size_t kKinds = std::tuple_size_v<decltype(ChangeSet::kinds)>;

/// Calls use.template operator()<K>() for every RecordKind K, in order.
template <typename Use, std::size_t... I>
void ForEachKind(Use&& use, std::index_sequence<I...>) {
  (use.template operator()<static_cast<RecordKind>(I)>(), ...);
}
template <typename Use>
void ForEachKind(Use&& use) {
  ForEachKind(use, std::make_index_sequence<kKinds>{});
}

template <typename T>
constexpr bool kHasMarks = requires(T record) { record.marks; };

template <typename T>
std::size_t OwnedBytes(const T& record) {
  if constexpr (std::is_same_v<T, level::Sector>) {
    return record.sound.capacity() + record.vertexindices.capacity() * sizeof(std::int32_t);
  } else if constexpr (std::is_same_v<T, level::Thing>) {
    return record.templateName.capacity() + record.name.capacity() + record.params.capacity();
  } else if constexpr (std::is_same_v<T, level::Material>) {
    return record.name.capacity();
  } else if constexpr (std::is_same_v<T, level::EpisodeInfo>) {
    return record.title.capacity();
  } else if constexpr (std::is_same_v<T, level::Table<std::string>>) {
    std::size_t bytes = record.items.capacity() * sizeof(std::string);
    for (const auto& line : record.items) bytes += line.capacity();
    return bytes;
  } else {
    return 0;
  }
}

/// Puts a kept value back into its record. The selection marks stay the record's own; only
/// whether the slot holds a record comes from the kept value, so that a record a change
/// appended goes away again on undo (and comes back unselected on redo).
template <typename T>
void Restore(T& record, const T& kept) {
  if constexpr (kHasMarks<T>) {
    level::RecordMarks marks = record.marks;
    record = kept;
    if (kept.marks.empty) {
      record.marks = level::RecordMarks{};
    } else {
      marks.empty = 0;
      record.marks = marks;
    }
  } else {
    record = kept;
  }
}

template <RecordKind K, typename Values>
void WriteValues(level::Level& level, const std::vector<std::int32_t>& indices,
                 const Values& values) {
  for (std::size_t i = 0; i < indices.size(); ++i) {
    if constexpr (K == RecordKind::Counts) {
      SetCounts(level, values[i]);
    } else {
      Restore(RecordAt<K>(level, indices[i]), values[i]);
    }
  }
}

}  // namespace

bool ChangedParts::TouchesMap() const {
  for (const RecordKind kind : {RecordKind::Vertex, RecordKind::Surface, RecordKind::Sector,
                                RecordKind::Thing, RecordKind::Counts}) {
    if (Has(kind)) return true;
  }
  return false;
}

TableCounts CountsOf(const level::Level& level) {
  return {level.materials.count, level.vertices.count, level.texturevertices.count,
          level.adjoins.count,   level.surfaces.count, level.sectors.count,
          level.things.count};
}

void SetCounts(level::Level& level, const TableCounts& counts) {
  level.materials.count = counts.materials;
  level.vertices.count = counts.vertices;
  level.texturevertices.count = counts.texturevertices;
  level.adjoins.count = counts.adjoins;
  level.surfaces.count = counts.surfaces;
  level.sectors.count = counts.sectors;
  level.things.count = counts.things;
}

bool ChangeSet::Empty() const {
  return !Parts().Any();
}

ChangedParts ChangeSet::Parts() const {
  ChangedParts parts;
  ForEachKind([&]<RecordKind K>() {
    if (!Of<K>().indices.empty()) parts.Add(K);
  });
  return parts;
}

std::size_t ChangeSet::HeldBytes() const {
  std::size_t bytes = 0;
  ForEachKind([&]<RecordKind K>() {
    const auto& changes = Of<K>();
    using T = typename std::decay_t<decltype(changes.before)>::value_type;
    bytes += changes.indices.capacity() * sizeof(std::int32_t);
    bytes += (changes.before.capacity() + changes.after.capacity()) * sizeof(T);
    for (const T& value : changes.before) bytes += OwnedBytes(value);
    for (const T& value : changes.after) bytes += OwnedBytes(value);
  });
  return bytes;
}

void ChangeSet::WriteAfter(level::Level& level) const {
  ForEachKind([&]<RecordKind K>() { WriteValues<K>(level, Of<K>().indices, Of<K>().after); });
}

void ChangeSet::WriteBefore(level::Level& level) const {
  ForEachKind([&]<RecordKind K>() { WriteValues<K>(level, Of<K>().indices, Of<K>().before); });
}

}  // namespace kx::editing
