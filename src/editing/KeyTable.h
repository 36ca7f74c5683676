#pragma once

#include "mapview/EditMode.h"

namespace kx::editing {

/// The keys the map listens to. Digits are the main keyboard's, plus and minus the keypad's;
/// letters whatever their case. Every other key is Other.
enum class Key {
  Other,
  Left,
  Right,
  Up,
  Down,
  KeypadPlus,
  KeypadMinus,
  Digit1,
  Digit2,
  Digit3,
  V,
  F,
  W,
  S,
  T,
  O,
  H,
  N,
  G,
  M,
  E,
  D,
  BracketLeft,
  BracketRight,
  Backspace,
  Escape,
};

struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

/// What a key asks for.
enum class KeyCommand {
  None,
  PanLeft,
  PanRight,
  PanUp,
  PanDown,
  ZoomIn,
  ZoomOut,
  KeepFirstSelectedSurface,
  KeepLastSelectedSurface,
  ViewTop,
  ViewFront,
  ViewRight,
  ModeVertex,
  ModeSurface,
  ModeSector,
  ModeThing,
  HideSelected,
  ClearSelection,
  NewProject,
  OpenProject,
  SaveProject,
  ToggleGrid,
  FinerGrid,
  CoarserGrid,
  ToggleMoveTool,
  LeaveMoveTool,
  NudgeLeft,
  NudgeRight,
  NudgeUp,
  NudgeDown,
  Extrude,
  Duplicate,
};

struct KeyAction {
  KeyCommand command = KeyCommand::None;
  bool fast = false;  // a pan of 128 pixels instead of 32 (Ctrl held)
  bool operator==(const KeyAction&) const = default;
};

/// The key table: arrows pan (Ctrl: fast), keypad + and - zoom, 1 2 3 choose the view (Alt+1
/// and Alt+2 in Surface mode keep the first or last selected surface instead), V F W S T O
/// choose the edit mode, H hides the selection, Backspace and Escape clear it. Ctrl+N, Ctrl+O and
/// Ctrl+S are New, Open and Save, as on every desktop, and then do not switch the mode. Shift
/// changes nothing.
/// Building keys: G shows or hides the grid, [ and ] make its step finer or coarser, M turns the
/// move tool on or off, E extrudes, Ctrl+D duplicates. While the move tool is on (moveTool),
/// Alt+arrows nudge the selection by a grid step and Escape leaves the tool instead of clearing
/// the selection.
KeyAction KeyActionFor(Key key, KeyModifiers modifiers, mapview::EditMode mode,
                       bool moveTool = false);

}  // namespace kx::editing
