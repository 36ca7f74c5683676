#pragma once

#include "level/Level.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace kx::editing {

/// The kinds of record a change of the Level can touch. Header, Episode, Copyright and Counts
/// are one record each (index 0); the others are addressed by their table index.
enum class RecordKind : std::uint8_t {
  Header,
  Episode,
  Copyright,  // the whole copyright table: its lines and its count
  Counts,     // the counts of the tables that grow (TableCounts)
  Material,
  Vertex,
  TextureVertex,
  Adjoin,
  Surface,
  Normal,
  Sector,
  Thing,
};

/// The parts of the Level a change touched, one bit per RecordKind, so that the window knows
/// what to refresh (the map after geometry or things, the panel after any record).
struct ChangedParts {
  std::uint32_t bits = 0;

  void Add(RecordKind kind) { bits |= 1u << static_cast<unsigned>(kind); }
  bool Has(RecordKind kind) const { return (bits >> static_cast<unsigned>(kind)) & 1u; }
  bool Any() const { return bits != 0; }
  /// Whether the map shows something that changed: positions, surfaces, sectors or things.
  bool TouchesMap() const;
  bool operator==(const ChangedParts&) const = default;
};

/// The counts of the tables that a change can make longer (appending a material, a thing, the
/// records of a new sector). Kept with the records, so that undo takes appended records away.
struct TableCounts {
  std::int32_t materials = 0;
  std::int32_t vertices = 0;
  std::int32_t texturevertices = 0;
  std::int32_t adjoins = 0;
  std::int32_t surfaces = 0;
  std::int32_t sectors = 0;
  std::int32_t things = 0;
  bool operator==(const TableCounts&) const = default;
};

/// The records of one kind that a change touched: their indices and their values before and
/// after, in the order they were first touched.
template <typename T>
struct RecordChanges {
  std::vector<std::int32_t> indices;
  std::vector<T> before;
  std::vector<T> after;
};

/// Every record one change touched, kind by kind, with the old and new values only: a step of
/// the history costs what it changed, never a copy of the Level.
struct ChangeSet {
  std::tuple<RecordChanges<level::LevelHeader>, RecordChanges<level::EpisodeInfo>,
             RecordChanges<level::Table<std::string>>, RecordChanges<TableCounts>,
             RecordChanges<level::Material>, RecordChanges<level::Vertex>,
             RecordChanges<level::TextureVertex>, RecordChanges<level::Adjoin>,
             RecordChanges<level::Surface>, RecordChanges<level::SurfaceNormal>,
             RecordChanges<level::Sector>, RecordChanges<level::Thing>>
      kinds;

  template <RecordKind K>
  auto& Of() {
    return std::get<static_cast<std::size_t>(K)>(kinds);
  }
  template <RecordKind K>
  const auto& Of() const {
    return std::get<static_cast<std::size_t>(K)>(kinds);
  }

  bool Empty() const;
  ChangedParts Parts() const;
  /// Bytes the set holds beyond its own size: the values kept and the texts and arrays they own.
  std::size_t HeldBytes() const;
  /// Writes every record's value after the change (redo) or before it (undo) into level. The
  /// records' selection marks stay as they are: selecting is not part of a change.
  void WriteAfter(level::Level& level) const;
  void WriteBefore(level::Level& level) const;
};

namespace detail {
template <typename T>
T& Slot(std::vector<T>& items, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= items.size())
    throw std::out_of_range("record index beyond the table");
  return items[static_cast<std::size_t>(index)];
}
}  // namespace detail

/// The record of kind K at index in level (0 for the one-record kinds; Counts is no record of
/// the Level and has no RecordAt). Throws std::out_of_range beyond the table's capacity.
template <RecordKind K>
auto& RecordAt(level::Level& level, [[maybe_unused]] int index) {
  using detail::Slot;
  if constexpr (K == RecordKind::Header) return level.header;
  else if constexpr (K == RecordKind::Episode) return level.episode;
  else if constexpr (K == RecordKind::Copyright) return level.copyright;
  else if constexpr (K == RecordKind::Material) return Slot(level.materials.items, index);
  else if constexpr (K == RecordKind::Vertex) return Slot(level.vertices.items, index);
  else if constexpr (K == RecordKind::TextureVertex)
    return Slot(level.texturevertices.items, index);
  else if constexpr (K == RecordKind::Adjoin) return Slot(level.adjoins.items, index);
  else if constexpr (K == RecordKind::Surface) return Slot(level.surfaces.items, index);
  else if constexpr (K == RecordKind::Normal) return Slot(level.normals, index);
  else if constexpr (K == RecordKind::Sector) return Slot(level.sectors.items, index);
  else if constexpr (K == RecordKind::Thing) return Slot(level.things.items, index);
  else static_assert(K != K, "no record of the Level");
}

/// The type of the records of kind K.
template <RecordKind K>
using RecordType = std::remove_reference_t<decltype(RecordAt<K>(std::declval<level::Level&>(), 0))>;

TableCounts CountsOf(const level::Level& level);
void SetCounts(level::Level& level, const TableCounts& counts);

}  // namespace kx::editing
