#pragma once

#include <chrono>
#include <cstddef>
#include <optional>

namespace kx::editing {

/// When the level is written to its recovery file: while it has unsaved changes that the file
/// does not hold yet, every 2 minutes, and at every 50th step made. The clock is the caller's,
/// handed in at each turn, so that the schedule runs without waiting in tests.
class RecoverySchedule {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr Clock::duration kInterval = std::chrono::minutes(2);
  static constexpr std::size_t kSteps = 50;

  /// A step was made, undone or redone; pushCount counts the steps made (EditHistory's
  /// PushCount). True when this is a 50th step made: the file is due now.
  bool Changed(std::size_t pushCount);
  /// A turn of the clock; modified says whether the level differs from its save. True when
  /// the file is due: 2 minutes after the last turn that found nothing to write, or after the
  /// last write.
  bool Tick(Clock::time_point now, bool modified);
  /// The level's changes are all in the recovery file, or saved: nothing is due.
  void Written() { m_pending = false; }
  /// A project was opened: nothing is pending and the steps count from 0 again.
  void Restart();

 private:
  bool m_pending = false;
  std::optional<Clock::time_point> m_since;
  std::size_t m_pushCount = 0;
};

}  // namespace kx::editing
