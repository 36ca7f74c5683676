#pragma once

#include <optional>

namespace kx::editing {

/// One mouse event on the map, in map pixels, with the modifiers held. The button is not
/// looked at: every button selects.
struct MouseInput {
  int x = 0;
  int y = 0;
  bool shift = false;
  bool ctrl = false;
  bool pan = false;  // Space is held: a drag pans the map instead of selecting
};

/// The rubber band's rectangle in map pixels; both ends of the drag are inside it.
struct BandBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const BandBox&) const = default;
};

/// What a finished gesture asks for: a click at (x, y), a box of inclusive pixel bounds, or
/// with the move tool a move of the selection from the press point to (x, y).
struct GesturePick {
  enum class Kind { At, InBox, Move };
  Kind kind = Kind::At;
  int x = 0, y = 0;                              // At; Move: the release point
  int left = 0, top = 0, right = 0, bottom = 0;  // InBox
  bool select = true;                            // false when Shift was held at the release
  bool ctrl = false;                             // At only: Ctrl was held at the release
  int pressX = 0, pressY = 0;                    // Move
  bool free = false;                             // Move: Shift held, no snapping to the grid
  bool operator==(const GesturePick&) const = default;
};

/// Press, move and release on the map turned into a click or a rubber-band box. A release
/// after any move, even one back to the press point, is a box; the box is the one the last
/// move drew, not the release point. With the move tool on, a drag shows no band and its
/// release asks for a move instead of a box; a click still selects.
class MouseGesture {
 public:
  /// Turns the move tool on or off; a gesture under way ends as it began.
  void SetMoveTool(bool on) { m_moveTool = on; }
  bool MoveTool() const { return m_moveTool; }
  /// Whether the gesture under way began with the move tool on: its drag is a move.
  bool Moving() const { return m_pressed && m_moving; }
  /// Forgets a gesture under way: its release does nothing.
  void Cancel();

  /// Remembers the press point; the band stays hidden.
  void Press(const MouseInput& input);
  /// Stretches the band from the press point to the pointer and shows it (a drag of the move
  /// tool shows none); returns false and does nothing when no press began on the map.
  bool Move(const MouseInput& input);
  /// Ends the gesture: hides the band and says what to pick, or nothing when no press began
  /// on the map.
  std::optional<GesturePick> Release(const MouseInput& input);

  bool Pressed() const { return m_pressed; }
  /// Where the gesture under way began, in map pixels.
  int PressX() const { return m_pressX; }
  int PressY() const { return m_pressY; }
  bool Dragged() const { return m_dragged; }
  bool BandVisible() const { return m_bandVisible; }
  const BandBox& Band() const { return m_band; }

 private:
  bool m_moveTool = false;
  bool m_moving = false;  // the gesture under way began with the move tool on
  bool m_pressed = false;
  bool m_dragged = false;
  bool m_bandVisible = false;
  int m_pressX = 0;
  int m_pressY = 0;
  BandBox m_band;
};

}  // namespace kx::editing
