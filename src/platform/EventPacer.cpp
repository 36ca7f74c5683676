#include "platform/EventPacer.h"

namespace kx::platform {

bool EventPacer::Due(Clock::time_point now) {
  if (now - m_last < m_interval) return false;
  m_last = now;
  return true;
}

}  // namespace kx::platform
