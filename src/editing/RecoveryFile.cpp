#include "editing/RecoveryFile.h"

#include "archive/GobWriter.h"
#include "level/EpisodeFile.h"
#include "level/JklReader.h"
#include "level/JklWriter.h"
#include "platform/CommandError.h"
#include "platform/FileIo.h"

#include <system_error>

namespace kx::editing {

namespace fs = std::filesystem;

namespace {

fs::path Beside(const fs::path& file) {
  fs::path recovery = file;
  recovery += archive::kRecoveryFileSuffix;
  return recovery;
}

void RemoveFile(const fs::path& path) {
  if (path.empty()) return;
  std::error_code ec;
  fs::remove(path, ec);
  if (ec) throw platform::CommandError::FromErrno(ec.value(), platform::DisplayPath(path));
}

}  // namespace

RecoveryFile::RecoveryFile(const project::ProjectValues& values) : m_jklName(values.JKLName) {
  // Without a project folder the paths would be taken relative to wherever the program runs.
  if (values.ProjectDir.empty()) return;
  m_levelFile = project::LevelFilePath(values);
  m_level = Beside(m_levelFile);
  m_episode = Beside(project::EpisodeFilePath(values));
}

std::string RecoveryFile::ShownName() const {
  return "jkl\\" + platform::DisplayPath(m_level.filename());
}

void RecoveryFile::Write(const level::Level& level) const {
  if (m_level.empty()) return;
  // The text a save would write, so that restoring reads what saving would have kept.
  platform::WriteFileAtomically(
      m_level,
      level::FormatLevel(level, platform::DisplayPath(m_levelFile), level::CurrentTimeStamp()));
  platform::WriteFileAtomically(m_episode, level::FormatEpisode(level.episode, m_jklName));
}

void RecoveryFile::Read(level::Level& level, platform::Ui& ui) const {
  level::EpisodeInfo episode = level.episode;
  std::error_code ec;
  if (fs::exists(m_episode, ec)) {
    level::ParseEpisode(platform::ReadFileBytes(m_episode), platform::DisplayPath(m_episode),
                        episode);
  }
  level::ReadLevel(level, m_level, m_jklName, ui);
  level.episode = std::move(episode);
}

void RecoveryFile::Remove() const {
  RemoveFile(m_level);
  RemoveFile(m_episode);
}

bool RecoveryFile::NewerThanLevel() const {
  if (m_level.empty()) return false;
  std::error_code ec;
  const auto recovered = fs::last_write_time(m_level, ec);
  if (ec) return false;
  const auto saved = fs::last_write_time(m_levelFile, ec);
  // A level file that is gone has nothing newer than the recovery file.
  return ec || recovered > saved;
}

}  // namespace kx::editing
