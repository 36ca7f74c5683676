#include "editing/MouseGesture.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace kx::editing {

namespace {

// A pointer captured far outside the map can report any int; the band's size must not overflow.
int SpanOf(int from, int to) {
  const std::int64_t span = std::llabs(std::int64_t{to} - from) + 1;
  return static_cast<int>(std::min<std::int64_t>(span, std::numeric_limits<int>::max()));
}

}  // namespace

void MouseGesture::Cancel() {
  m_pressed = false;
  m_dragged = false;
  m_bandVisible = false;
}

void MouseGesture::Press(const MouseInput& input) {
  m_moving = m_moveTool;
  m_band.left = input.x;
  m_band.top = input.y;
  m_bandVisible = false;
  m_pressX = input.x;
  m_pressY = input.y;
  m_pressed = true;
  m_dragged = false;
}

bool MouseGesture::Move(const MouseInput& input) {
  if (!m_pressed) return false;
  m_dragged = true;
  if (m_moving) return true;
  m_band.left = std::min(m_pressX, input.x);
  m_band.width = SpanOf(m_pressX, input.x);
  m_band.top = std::min(m_pressY, input.y);
  m_band.height = SpanOf(m_pressY, input.y);
  m_bandVisible = true;
  return true;
}

std::optional<GesturePick> MouseGesture::Release(const MouseInput& input) {
  if (!m_pressed) return std::nullopt;
  GesturePick pick;
  pick.select = !input.shift;
  if (m_dragged && m_moving) {
    pick.kind = GesturePick::Kind::Move;
    pick.x = input.x;
    pick.y = input.y;
    pick.pressX = m_pressX;
    pick.pressY = m_pressY;
    pick.free = input.shift;
  } else if (m_dragged) {
    // The band is hidden before the pick runs, so the repaint after it shows no outline.
    m_bandVisible = false;
    pick.kind = GesturePick::Kind::InBox;
    pick.left = m_band.left;
    pick.top = m_band.top;
    pick.right = static_cast<int>(std::int64_t{m_band.left} + m_band.width - 1);
    pick.bottom = static_cast<int>(std::int64_t{m_band.top} + m_band.height - 1);
  } else {
    pick.kind = GesturePick::Kind::At;
    pick.x = input.x;
    pick.y = input.y;
    pick.ctrl = input.ctrl;
  }
  m_pressed = false;
  m_dragged = false;
  return pick;
}

}  // namespace kx::editing
