#include "editing/RecoverySchedule.h"

namespace kx::editing {

bool RecoverySchedule::Changed(std::size_t pushCount) {
  m_pending = true;
  if (pushCount == m_pushCount) return false;  // an undo or redo
  m_pushCount = pushCount;
  return pushCount % kSteps == 0;
}

bool RecoverySchedule::Tick(Clock::time_point now, bool modified) {
  if (!modified || !m_pending || !m_since) {
    m_since = now;
    return false;
  }
  if (now - *m_since < kInterval) return false;
  m_since = now;
  return true;
}

void RecoverySchedule::Restart() {
  m_pending = false;
  m_since.reset();
  m_pushCount = 0;
}

}  // namespace kx::editing
