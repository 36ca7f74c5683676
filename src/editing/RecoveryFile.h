#pragma once

#include "level/Level.h"
#include "platform/Ui.h"
#include "project/ProjectValues.h"

#include <filesystem>

namespace kx::editing {

/// The recovery files of a project: the level with its unsaved changes beside its level file
/// (jkl\NAME.jkl.recover, the level file's own text), and the episode values beside the
/// episode file (episode.jk.recover), which the level file does not hold. Both are written
/// atomically, like every save, and are never packed into the project's archive.
class RecoveryFile {
 public:
  /// No project (also values without a project folder): nothing is written, found or removed.
  RecoveryFile() = default;
  explicit RecoveryFile(const project::ProjectValues& values);

  const std::filesystem::path& LevelPath() const { return m_level; }
  const std::filesystem::path& EpisodePath() const { return m_episode; }
  /// The level's recovery file as the user sees it beside the project: "jkl\01abc.jkl.recover".
  std::string ShownName() const;

  /// Writes level into both files. Throws platform::CommandError.
  void Write(const level::Level& level) const;
  /// Reads the recovery files into level as the level file is read (with its progress
  /// window); the episode values only when their file is there. Models keep no radius: the
  /// level file's reader leaves them to the model reader. Throws platform::CommandError and
  /// leaves level untouched then.
  void Read(level::Level& level, platform::Ui& ui) const;
  /// Removes both files; throws platform::CommandError naming one that is there and could not
  /// be removed.
  void Remove() const;
  /// Whether the level's recovery file is there and was written after the level file.
  bool NewerThanLevel() const;

 private:
  std::filesystem::path m_levelFile;
  std::filesystem::path m_level;
  std::filesystem::path m_episode;
  std::string m_jklName;
};

}  // namespace kx::editing
