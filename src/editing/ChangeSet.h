#pragma once

#include "level/Level.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
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

/// A table of something per kind of record, in RecordKind's order: Holder<T> for the records' type
/// T.
template <template <typename> class Holder>
using PerKind =
    std::tuple<Holder<level::LevelHeader>, Holder<level::EpisodeInfo>,
               Holder<level::Table<std::string>>, Holder<TableCounts>, Holder<level::Material>,
               Holder<level::Vertex>, Holder<level::TextureVertex>, Holder<level::Adjoin>,
               Holder<level::Surface>, Holder<level::SurfaceNormal>, Holder<level::Sector>,
               Holder<level::Thing>>;

inline constexpr std::size_t kRecordKinds = std::tuple_size_v<PerKind<std::vector>>;

/// Calls use.template operator()<K>() for every RecordKind K, in order.
template <typename Use>
void ForEachKind(Use&& use) {
  [&]<std::size_t... I>(std::index_sequence<I...>) {
    (use.template operator()<static_cast<RecordKind>(I)>(), ...);
  }
  (std::make_index_sequence<kRecordKinds>{});
}

/// Records of plain data (no text or list of their own, whole 4-byte words) are kept in a step
/// as the words that changed; the others whole.
template <typename T>
inline constexpr bool kKeptAsWords = std::is_trivially_copyable_v<T> && sizeof(T) % 4 == 0 &&
                                     sizeof(T) / 4 <= 0xFFFF;

/// The records of one kind a change touched while it is open: their indices and their values
/// before it, in the order they were first touched.
template <typename T>
struct TouchedRecords {
  std::vector<std::int32_t> indices;
  std::vector<T> before;
};

/// The records of one kind a step changed, whole: their values before and after.
template <typename T>
struct WholeRecords {
  std::vector<std::int32_t> indices;
  std::vector<T> before;
  std::vector<T> after;
};

/// The records of one kind a step changed, as the 4-byte words of each that differ: a light
/// changed on a thousand surfaces costs a few bytes each rather than two copies of them.
template <typename T>
struct WordRecords {
  std::vector<std::int32_t> indices;
  std::vector<std::uint16_t> wordCounts;  // per record
  std::vector<std::uint16_t> words;       // the changed words' places, record after record
  std::vector<std::uint32_t> before;      // their values, in the same order
  std::vector<std::uint32_t> after;
};

template <typename T>
using KeptRecords = std::conditional_t<kKeptAsWords<T>, WordRecords<T>, WholeRecords<T>>;

/// Every record one change touched, kind by kind, with what changed in them only: a step of
/// the history costs what it changed, never a copy of the Level.
struct ChangeSet {
  PerKind<KeptRecords> kinds;

  template <RecordKind K>
  auto& Of() {
    return std::get<static_cast<std::size_t>(K)>(kinds);
  }
  template <RecordKind K>
  const auto& Of() const {
    return std::get<static_cast<std::size_t>(K)>(kinds);
  }

  /// Keeps record index of kind K, its value before the change and now, when it changed (a
  /// change of its selection marks alone is no change); returns whether it did.
  template <RecordKind K, typename T>
  bool Keep(int index, const T& before, const T& now);

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
  if constexpr (K == RecordKind::Header)
    return level.header;
  else if constexpr (K == RecordKind::Episode)
    return level.episode;
  else if constexpr (K == RecordKind::Copyright)
    return level.copyright;
  else if constexpr (K == RecordKind::Material)
    return Slot(level.materials.items, index);
  else if constexpr (K == RecordKind::Vertex)
    return Slot(level.vertices.items, index);
  else if constexpr (K == RecordKind::TextureVertex)
    return Slot(level.texturevertices.items, index);
  else if constexpr (K == RecordKind::Adjoin)
    return Slot(level.adjoins.items, index);
  else if constexpr (K == RecordKind::Surface)
    return Slot(level.surfaces.items, index);
  else if constexpr (K == RecordKind::Normal)
    return Slot(level.normals, index);
  else if constexpr (K == RecordKind::Sector)
    return Slot(level.sectors.items, index);
  else if constexpr (K == RecordKind::Thing)
    return Slot(level.things.items, index);
  else
    static_assert(K != K, "no record of the Level");
}

/// The type of the records of kind K.
template <RecordKind K>
using RecordType = std::remove_reference_t<decltype(RecordAt<K>(std::declval<level::Level&>(), 0))>;

TableCounts CountsOf(const level::Level& level);
void SetCounts(level::Level& level, const TableCounts& counts);

template <typename T>
inline constexpr bool kHasMarks = requires(T record) {
  record.marks;
};

/// Puts a kept value back into its record. The selection marks stay the record's own; only
/// whether the slot holds a record comes from the kept value, so that a record a change
/// appended goes away again on undo (and comes back unselected on redo).
template <typename T>
void Restore(T& record, const T& kept) {
  if constexpr (kHasMarks<T>) {
    const level::RecordMarks marks = record.marks;
    record = kept;
    if (kept.marks.empty) {
      record.marks = level::RecordMarks{};
    } else {
      record.marks.selected = marks.selected;
      record.marks.visible = marks.visible;
    }
  } else {
    record = kept;
  }
}

template <RecordKind K, typename T>
bool ChangeSet::Keep(int index, const T& before, const T& now) {
  auto& kept = Of<K>();
  T old = before;
  if constexpr (kHasMarks<T>) {
    old.marks.selected = now.marks.selected;
    old.marks.visible = now.marks.visible;
  }
  // Compared field by field: the bytes between fields may differ without any value changing.
  if (old == now) return false;
  if constexpr (kKeptAsWords<T>) {
    std::uint16_t changed = 0;
    for (std::size_t w = 0; w < sizeof(T) / 4; ++w) {
      std::uint32_t was, is;
      std::memcpy(&was, reinterpret_cast<const unsigned char*>(&old) + w * 4, 4);
      std::memcpy(&is, reinterpret_cast<const unsigned char*>(&now) + w * 4, 4);
      if (was == is) continue;
      kept.words.push_back(static_cast<std::uint16_t>(w));
      kept.before.push_back(was);
      kept.after.push_back(is);
      ++changed;
    }
    kept.wordCounts.push_back(changed);
  } else {
    kept.before.push_back(std::move(old));
    kept.after.push_back(now);
  }
  kept.indices.push_back(index);
  return true;
}

}  // namespace kx::editing
