#pragma once

#include "editing/ChangeSet.h"
#include "level/Level.h"

#include <array>
#include <string>
#include <unordered_set>

namespace kx::editing {

class EditHistory;

/// One named change of the Level ("Change Light"), the one way the editor writes into it.
/// Every record is reached through the change before it is written, so that its old value is
/// kept; Commit keeps the old and new values of the records that really changed as one step of
/// the history, which then tells the editor what to refresh. A change that ends without Commit
/// puts every record it touched back as it was.
class LevelChange {
 public:
  LevelChange(level::Level& level, EditHistory& history, std::string name);
  ~LevelChange();
  LevelChange(const LevelChange&) = delete;
  LevelChange& operator=(const LevelChange&) = delete;

  /// Reading the Level while the change is open.
  const level::Level& Level() const { return m_level; }
  const std::string& Name() const { return m_name; }

  /// The record to write; its value before the change is kept at the first call. Indices are
  /// slots of the table (checked against its capacity: std::out_of_range beyond it).
  level::LevelHeader& Header() { return Touch<RecordKind::Header>(0); }
  level::EpisodeInfo& Episode() { return Touch<RecordKind::Episode>(0); }
  /// The copyright lines and their count.
  level::Table<std::string>& Copyright() { return Touch<RecordKind::Copyright>(0); }
  level::Material& Material(int index) { return Touch<RecordKind::Material>(index); }
  level::Vertex& Vertex(int index) { return Touch<RecordKind::Vertex>(index); }
  level::TextureVertex& TextureVertex(int index) { return Touch<RecordKind::TextureVertex>(index); }
  level::Adjoin& Adjoin(int index) { return Touch<RecordKind::Adjoin>(index); }
  level::Surface& Surface(int index) { return Touch<RecordKind::Surface>(index); }
  level::SurfaceNormal& Normal(int index) { return Touch<RecordKind::Normal>(index); }
  level::Sector& Sector(int index) { return Touch<RecordKind::Sector>(index); }
  level::Thing& Thing(int index) { return Touch<RecordKind::Thing>(index); }

  /// Appends a record to the table of kind (Material, Vertex, TextureVertex, Adjoin, Surface
  /// with its normal, Sector or Thing) and returns its index. The new slot starts from a blank
  /// record (marks: in use, unselected, visible). Throws platform::CommandError naming the
  /// table when it is full.
  int Append(RecordKind kind);

  /// Ends the change: the records whose value differs (selection marks aside) become one step of
  /// the history. A change that changed nothing leaves no step. Nothing is put back afterwards.
  void Commit();

 private:
  template <RecordKind K>
  RecordType<K>& Touch(int index);
  template <RecordKind K>
  int AppendTo(int& count, int capacity, const char* table);

  template <RecordKind K>
  auto& Touched() {
    return std::get<static_cast<std::size_t>(K)>(m_before);
  }

  level::Level& m_level;
  EditHistory& m_history;
  std::string m_name;
  PerKind<TouchedRecords> m_before;  // every record touched, as it was
  std::array<std::unordered_set<int>, kRecordKinds> m_touched;
  bool m_ended = false;
};

template <RecordKind K>
RecordType<K>& LevelChange::Touch(int index) {
  auto& record = RecordAt<K>(m_level, index);
  if (m_touched[static_cast<std::size_t>(K)].insert(index).second) {
    auto& touched = Touched<K>();
    touched.indices.push_back(index);
    touched.before.push_back(record);
  }
  return record;
}

}  // namespace kx::editing
