#include "editing/KeyTable.h"

namespace kx::editing {

KeyAction KeyActionFor(Key key, KeyModifiers modifiers, mapview::EditMode mode) {
  const bool surfaceMode = mode == mapview::EditMode::Surface;
  switch (key) {
    case Key::Left:
      return {KeyCommand::PanLeft, modifiers.ctrl};
    case Key::Right:
      return {KeyCommand::PanRight, modifiers.ctrl};
    case Key::Up:
      return {KeyCommand::PanUp, modifiers.ctrl};
    case Key::Down:
      return {KeyCommand::PanDown, modifiers.ctrl};
    case Key::KeypadPlus:
      return {KeyCommand::ZoomIn};
    case Key::KeypadMinus:
      return {KeyCommand::ZoomOut};
    case Key::Digit1:
      return {modifiers.alt && surfaceMode ? KeyCommand::KeepFirstSelectedSurface
                                           : KeyCommand::ViewTop};
    case Key::Digit2:
      return {modifiers.alt && surfaceMode ? KeyCommand::KeepLastSelectedSurface
                                           : KeyCommand::ViewFront};
    case Key::Digit3:
      return {KeyCommand::ViewRight};
    case Key::V:
      return {KeyCommand::ModeVertex};
    case Key::F:
    case Key::W:
      return {KeyCommand::ModeSurface};
    case Key::S:
      return {modifiers.ctrl ? KeyCommand::SaveProject : KeyCommand::ModeSector};
    case Key::T:
      return {KeyCommand::ModeThing};
    case Key::O:
      return {modifiers.ctrl ? KeyCommand::OpenProject : KeyCommand::ModeThing};
    case Key::N:
      return {modifiers.ctrl ? KeyCommand::NewProject : KeyCommand::None};
    case Key::H:
      return {KeyCommand::HideSelected};
    case Key::Backspace:
    case Key::Escape:
      return {KeyCommand::ClearSelection};
    case Key::Other:
      break;
  }
  return {};
}

}  // namespace kx::editing
