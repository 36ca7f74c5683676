#include "editing/KeyTable.h"

namespace kx::editing {

KeyAction KeyActionFor(Key key, KeyModifiers modifiers, mapview::EditMode mode, bool moveTool) {
  const bool surfaceMode = mode == mapview::EditMode::Surface;
  const bool nudge = moveTool && modifiers.alt;
  switch (key) {
    case Key::Left:
      return nudge ? KeyAction{KeyCommand::NudgeLeft}
                   : KeyAction{KeyCommand::PanLeft, modifiers.ctrl};
    case Key::Right:
      return nudge ? KeyAction{KeyCommand::NudgeRight}
                   : KeyAction{KeyCommand::PanRight, modifiers.ctrl};
    case Key::Up:
      return nudge ? KeyAction{KeyCommand::NudgeUp} : KeyAction{KeyCommand::PanUp, modifiers.ctrl};
    case Key::Down:
      return nudge ? KeyAction{KeyCommand::NudgeDown}
                   : KeyAction{KeyCommand::PanDown, modifiers.ctrl};
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
    case Key::G:
      return {KeyCommand::ToggleGrid};
    case Key::BracketLeft:
      return {KeyCommand::FinerGrid};
    case Key::BracketRight:
      return {KeyCommand::CoarserGrid};
    case Key::M:
      return {KeyCommand::ToggleMoveTool};
    case Key::E:
      return {KeyCommand::Extrude};
    case Key::D:
      return {modifiers.ctrl ? KeyCommand::Duplicate : KeyCommand::None};
    case Key::Escape:
      return {moveTool ? KeyCommand::LeaveMoveTool : KeyCommand::ClearSelection};
    case Key::Backspace:
      return {KeyCommand::ClearSelection};
    case Key::Other:
      break;
  }
  return {};
}

}  // namespace kx::editing
