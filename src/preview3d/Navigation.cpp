#include "preview3d/Navigation.h"

namespace kx::preview3d {

bool Navigation::PressKey(PreviewKey key, bool fast) {
  const float move = kMoveStep * (fast ? kFastFactor : 1);
  switch (key) {
    case PreviewKey::Up:
    case PreviewKey::W:
      camera.Move(move);
      return true;
    case PreviewKey::Down:
    case PreviewKey::S:
      camera.Move(-move);
      return true;
    case PreviewKey::A:
      camera.Strafe(-move);
      return true;
    case PreviewKey::D:
      camera.Strafe(move);
      return true;
    case PreviewKey::Left:
      camera.Turn(-kTurnStep);
      return true;
    case PreviewKey::Right:
      camera.Turn(kTurnStep);
      return true;
    // The key table's directions: Page Up tips the view down, Page Down up.
    case PreviewKey::PageUp:
      camera.Tilt(-kTurnStep);
      return true;
    case PreviewKey::PageDown:
      camera.Tilt(kTurnStep);
      return true;
    case PreviewKey::KeypadPlus:
      meshScale *= 2;
      return true;
    case PreviewKey::KeypadMinus:
      meshScale *= 0.5f;
      return true;
    case PreviewKey::Other:
      break;
  }
  return false;
}

void Navigation::MouseLook(int dx, int dy) {
  camera.TurnAboutLevelUp(static_cast<float>(dx) * kMouseRadiansPerPixel);
  camera.Tilt(-static_cast<float>(dy) * kMouseRadiansPerPixel);
}

void Navigation::Wheel(int notches, bool fast) {
  camera.Move(static_cast<float>(notches) * kMoveStep * (fast ? kFastFactor : 1));
}

}  // namespace kx::preview3d
