#include "editing/ChangeSet.h"

#include <type_traits>
#include <utility>

namespace kx::editing {

namespace {

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

template <typename V>
std::size_t VectorBytes(const V& values) {
  return values.capacity() * sizeof(typename V::value_type);
}

/// Calls put(record) with the record of kind K at index: the Level's own, or for the table
/// counts a copy that is written back afterwards.
template <RecordKind K, typename Put>
void WithRecord(level::Level& level, int index, Put&& put) {
  if constexpr (K == RecordKind::Counts) {
    TableCounts counts = CountsOf(level);
    put(counts);
    SetCounts(level, counts);
  } else {
    put(RecordAt<K>(level, index));
  }
}

template <RecordKind K, typename T>
void Write(level::Level& level, const WholeRecords<T>& kept, bool after) {
  const auto& values = after ? kept.after : kept.before;
  for (std::size_t i = 0; i < kept.indices.size(); ++i) {
    WithRecord<K>(level, kept.indices[i], [&](T& record) { Restore(record, values[i]); });
  }
}

template <RecordKind K, typename T>
void Write(level::Level& level, const WordRecords<T>& kept, bool after) {
  const auto& values = after ? kept.after : kept.before;
  std::size_t word = 0;
  for (std::size_t i = 0; i < kept.indices.size(); ++i) {
    WithRecord<K>(level, kept.indices[i], [&](T& record) {
      T value = record;
      for (std::size_t n = 0; n < kept.wordCounts[i]; ++n, ++word) {
        std::memcpy(reinterpret_cast<unsigned char*>(&value) + kept.words[word] * 4u, &values[word],
                    4);
      }
      Restore(record, value);
    });
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
    const auto& kept = Of<K>();
    bytes += VectorBytes(kept.indices) + VectorBytes(kept.before) + VectorBytes(kept.after);
    if constexpr (requires { kept.words; }) {
      bytes += VectorBytes(kept.wordCounts) + VectorBytes(kept.words);
    } else {
      for (const auto& value : kept.before) bytes += OwnedBytes(value);
      for (const auto& value : kept.after) bytes += OwnedBytes(value);
    }
  });
  return bytes;
}

void ChangeSet::WriteAfter(level::Level& level) const {
  ForEachKind([&]<RecordKind K>() { Write<K>(level, Of<K>(), true); });
}

void ChangeSet::WriteBefore(level::Level& level) const {
  ForEachKind([&]<RecordKind K>() { Write<K>(level, Of<K>(), false); });
}

}  // namespace kx::editing
