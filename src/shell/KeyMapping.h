#pragma once

#include "editing/KeyTable.h"

class QKeyEvent;

namespace kx::shell {

/// The map's key and modifiers of a key press. The keypad's + and - are told apart from the
/// main keyboard's by Qt's keypad modifier, and the keypad's digits are not the view keys.
editing::Key MapKeyOf(const QKeyEvent& event);
editing::KeyModifiers MapModifiersOf(const QKeyEvent& event);

}  // namespace kx::shell
