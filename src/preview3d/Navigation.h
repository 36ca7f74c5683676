#pragma once

#include "preview3d/Camera.h"

namespace kx::preview3d {

/// The keys the preview answers; everything else is Other and does nothing.
enum class PreviewKey {
  Other,
  Up,           // move forward
  Down,         // move back
  Left,         // turn left
  Right,        // turn right
  PageUp,       // tilt
  PageDown,     // tilt the other way
  KeypadPlus,   // the level twice as large
  KeypadMinus,  // the level half as large
  W,            // forward, as Up
  S,            // back, as Down
  A,            // step to the left
  D,            // step to the right
};

/// What the user's walk changes: the camera and the level's scale about the level's origin.
struct Navigation {
  static constexpr float kMoveStep = 0.05f;  // level units per key press
  static constexpr float kTurnStep = 0.1f;   // radians per key press
  static constexpr float kFastFactor = 5;    // moves with Shift held
  static constexpr float kMouseRadiansPerPixel = 0.005f;

  Camera camera;
  float meshScale = 1;

  /// One press of key (a held key repeats it). fast (Shift) makes moves kFastFactor times as
  /// long; turns, tilts and scales keep their step. Returns whether the view changed.
  bool PressKey(PreviewKey key, bool fast);
  /// Mouse look while the right button is held: dx pixels to the right turn right about the
  /// level's up, dy pixels down look down.
  void MouseLook(int dx, int dy);
  /// Wheel notches away from the user move forward, towards the user back, one move each.
  void Wheel(int notches, bool fast);
};

}  // namespace kx::preview3d
