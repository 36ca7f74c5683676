#include "shell/KeyMapping.h"

#include <QKeyEvent>

namespace kx::shell {

using editing::Key;

Key MapKeyOf(const QKeyEvent& event) {
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  switch (event.key()) {
    case Qt::Key_Left:
      return Key::Left;
    case Qt::Key_Right:
      return Key::Right;
    case Qt::Key_Up:
      return Key::Up;
    case Qt::Key_Down:
      return Key::Down;
    case Qt::Key_Plus:
      return keypad ? Key::KeypadPlus : Key::Other;
    case Qt::Key_Minus:
      return keypad ? Key::KeypadMinus : Key::Other;
    case Qt::Key_1:
      return keypad ? Key::Other : Key::Digit1;
    case Qt::Key_2:
      return keypad ? Key::Other : Key::Digit2;
    case Qt::Key_3:
      return keypad ? Key::Other : Key::Digit3;
    case Qt::Key_V:
      return Key::V;
    case Qt::Key_F:
      return Key::F;
    case Qt::Key_W:
      return Key::W;
    case Qt::Key_S:
      return Key::S;
    case Qt::Key_T:
      return Key::T;
    case Qt::Key_O:
      return Key::O;
    case Qt::Key_H:
      return Key::H;
    case Qt::Key_N:
      return Key::N;
    case Qt::Key_G:
      return Key::G;
    case Qt::Key_M:
      return Key::M;
    case Qt::Key_E:
      return Key::E;
    case Qt::Key_D:
      return Key::D;
    case Qt::Key_BracketLeft:
      return Key::BracketLeft;
    case Qt::Key_BracketRight:
      return Key::BracketRight;
    case Qt::Key_Backspace:
      return Key::Backspace;
    case Qt::Key_Escape:
      return Key::Escape;
    default:
      return Key::Other;
  }
}

editing::KeyModifiers MapModifiersOf(const QKeyEvent& event) {
  const auto modifiers = event.modifiers();
  return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
          modifiers.testFlag(Qt::AltModifier)};
}

}  // namespace kx::shell
