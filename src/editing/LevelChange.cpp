#include "editing/LevelChange.h"

#include "editing/EditHistory.h"
#include "platform/CommandError.h"

#include <type_traits>
#include <utility>

namespace kx::editing {

LevelChange::LevelChange(level::Level& level, EditHistory& history, std::string name)
    : m_level(level), m_history(history), m_name(std::move(name)) {}

LevelChange::~LevelChange() {
  if (m_ended) return;
  // Not committed (the command failed or was cancelled): every record goes back.
  ForEachKind([&]<RecordKind K>() {
    const auto& touched = Touched<K>();
    for (std::size_t i = 0; i < touched.indices.size(); ++i) {
      if constexpr (K == RecordKind::Counts) {
        SetCounts(m_level, touched.before[i]);
      } else {
        Restore(RecordAt<K>(m_level, touched.indices[i]), touched.before[i]);
      }
    }
  });
}

template <RecordKind K>
int LevelChange::AppendTo(int& count, int capacity, const char* table) {
  if (count < 0 || count >= capacity) {
    throw platform::CommandError("The " + std::string(table) + " table is full (" +
                                 std::to_string(capacity) + ")");
  }
  auto& counts = Touched<RecordKind::Counts>();
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
      return AppendTo<RecordKind::Material>(l.materials.count, l.materials.Capacity(), "materials");
    case RecordKind::Vertex:
      return AppendTo<RecordKind::Vertex>(l.vertices.count, l.vertices.Capacity(), "vertices");
    case RecordKind::TextureVertex:
      return AppendTo<RecordKind::TextureVertex>(l.texturevertices.count,
                                                 l.texturevertices.Capacity(), "texture vertices");
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
    const auto& touched = Touched<K>();
    for (std::size_t i = 0; i < touched.indices.size(); ++i) {
      if constexpr (K == RecordKind::Counts) {
        changed.Keep<K>(touched.indices[i], touched.before[i], CountsOf(m_level));
      } else {
        changed.Keep<K>(touched.indices[i], touched.before[i],
                        RecordAt<K>(m_level, touched.indices[i]));
      }
    }
    auto& kept = changed.Of<K>();
    kept.indices.shrink_to_fit();
    kept.before.shrink_to_fit();
    kept.after.shrink_to_fit();
    if constexpr (requires { kept.words; }) {
      kept.wordCounts.shrink_to_fit();
      kept.words.shrink_to_fit();
    }
  });
  if (changed.Empty()) return;
  m_history.Push(m_name, std::move(changed));
}

}  // namespace kx::editing
