#include "editing/LevelChange.h"

#include "editing/EditHistory.h"
#include "platform/CommandError.h"

#include <type_traits>
#include <utility>

namespace kx::editing {

namespace {

template <typename T>
constexpr bool kHasMarks = requires(T record) { record.marks; };

/// Whether a record's value changed; a change of its selection marks alone is no change.
template <typename T>
bool Differs(const T& before, const T& after) {
  if constexpr (kHasMarks<T>) {
    T left = before;
    left.marks.selected = after.marks.selected;
    left.marks.visible = after.marks.visible;
    return !(left == after);
  } else {
    return !(before == after);
  }
}

template <typename Use, std::size_t... I>
void ForEachKind(Use&& use, std::index_sequence<I...>) {
  (use.template operator()<static_cast<RecordKind>(I)>(), ...);
}
template <typename Use>
void ForEachKind(Use&& use) {
  ForEachKind(use, std::make_index_sequence<std::tuple_size_v<decltype(ChangeSet::kinds)>>{});
}

}  // namespace

LevelChange::LevelChange(level::Level& level, EditHistory& history, std::string name)
    : m_level(level), m_history(history), m_name(std::move(name)) {}

LevelChange::~LevelChange() {
  if (m_ended) return;
  // Not committed (the command failed or was cancelled): every record goes back.
  m_set.WriteBefore(m_level);
}

template <RecordKind K>
int LevelChange::AppendTo(int& count, int capacity, const char* table) {
  if (count < 0 || count >= capacity) {
    throw platform::CommandError("The " + std::string(table) + " table is full (" +
                                 std::to_string(capacity) + ")");
  }
  auto& counts = m_set.Of<RecordKind::Counts>();
  if (counts.indices.empty()) {
    counts.indices.push_back(0);
    counts.before.push_back(CountsOf(m_level));
  }
  const int index = count;
  auto& record = Touch<K>(index);
  using T = std::decay_t<decltype(record)>;
  record = T{};
  if constexpr (kHasMarks<T>) record.marks = level::RecordMarks{0, 0, 1};
  ++count;
  return index;
}

int LevelChange::Append(RecordKind kind) {
  level::Level& l = m_level;
  switch (kind) {
    case RecordKind::Material:
      return AppendTo<RecordKind::Material>(l.materials.count, l.materials.Capacity(),
                                            "materials");
    case RecordKind::Vertex:
      return AppendTo<RecordKind::Vertex>(l.vertices.count, l.vertices.Capacity(), "vertices");
    case RecordKind::TextureVertex:
      return AppendTo<RecordKind::TextureVertex>(l.texturevertices.count,
                                                 l.texturevertices.Capacity(),
                                                 "texture vertices");
    case RecordKind::Adjoin:
      return AppendTo<RecordKind::Adjoin>(l.adjoins.count, l.adjoins.Capacity(), "adjoins");
    case RecordKind::Surface: {
      const int index =
          AppendTo<RecordKind::Surface>(l.surfaces.count, l.surfaces.Capacity(), "surfaces");
      Normal(index) = level::SurfaceNormal{};
      return index;
    }
    case RecordKind::Sector:
      return AppendTo<RecordKind::Sector>(l.sectors.count, l.sectors.Capacity(), "sectors");
    case RecordKind::Thing:
      return AppendTo<RecordKind::Thing>(l.things.count, l.things.Capacity(), "things");
    default:
      throw std::logic_error("records of this kind are not appended");
  }
}

void LevelChange::Commit() {
  if (m_ended) return;
  m_ended = true;
  ChangeSet changed;
  ForEachKind([&]<RecordKind K>() {
    const auto& touched = m_set.Of<K>();
    auto& kept = changed.Of<K>();
    for (std::size_t i = 0; i < touched.indices.size(); ++i) {
      auto after = [&] {
        if constexpr (K == RecordKind::Counts) {
          return CountsOf(m_level);
        } else {
          return RecordAt<K>(m_level, touched.indices[i]);
        }
      }();
      if (!Differs(touched.before[i], after)) continue;
      kept.indices.push_back(touched.indices[i]);
      kept.before.push_back(touched.before[i]);
      kept.after.push_back(std::move(after));
    }
    kept.indices.shrink_to_fit();
    kept.before.shrink_to_fit();
    kept.after.shrink_to_fit();
  });
  if (changed.Empty()) return;
  m_history.Push(m_name, std::move(changed));
}

}  // namespace kx::editing
