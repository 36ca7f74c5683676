#pragma once

#include <chrono>

namespace kx::platform {

/// Decides when a long operation lets the window system run: at most once per interval, so
/// that a reader asking after every line runs at full speed while its progress window still
/// repaints about sixty times a second.
class EventPacer {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kDefaultInterval{16};

  explicit EventPacer(std::chrono::milliseconds interval = kDefaultInterval)
      : m_interval(interval) {}

  /// Starts a new interval at now, as when events have just been processed.
  void Restart(Clock::time_point now) { m_last = now; }
  /// Whether a whole interval has passed since the last time events ran; when it has, the next
  /// interval starts at now.
  bool Due(Clock::time_point now);

 private:
  std::chrono::milliseconds m_interval;
  Clock::time_point m_last{};
};

}  // namespace kx::platform
