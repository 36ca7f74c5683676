#pragma once

namespace kx::properties {

/// The keys the panel's editor acts on (on their release, in the edit box or on the "more"
/// button); every other key is Other and does nothing there.
enum class PanelKey { Escape, Enter, Up, Down, PageUp, PageDown, CtrlHome, CtrlEnd, Tab, Other };

/// What a key does to a page's editor: commit, then open it again on openRow (from 1), or
/// leave it closed when openRow is 0.
struct KeyMove {
  bool commit = false;
  int openRow = 0;
  bool operator==(const KeyMove&) const = default;
};

/// The move of key for an editor whose field index is field on a page of rows rows: Enter and
/// Down go to the next row (after the last, the first), Up to the previous one (before the
/// first, the last), Page Up and Ctrl+Home to the first, Page Down and Ctrl+End to the last;
/// Escape and Tab only commit.
KeyMove MoveFor(PanelKey key, int field, int rows);

}  // namespace kx::properties
