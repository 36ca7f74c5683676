#include "properties/PanelKeys.h"

namespace kx::properties {

KeyMove MoveFor(PanelKey key, int field, int rows) {
  switch (key) {
    case PanelKey::Escape:
    case PanelKey::Tab:
      return {true, 0};
    case PanelKey::Enter:
    case PanelKey::Down:
      return {true, field >= rows ? 1 : field + 1};
    case PanelKey::Up:
      return {true, field <= 1 ? rows : field - 1};
    case PanelKey::PageUp:
    case PanelKey::CtrlHome:
      return {true, 1};
    case PanelKey::PageDown:
    case PanelKey::CtrlEnd:
      return {true, rows};
    case PanelKey::Other:
      break;
  }
  return {};
}

}  // namespace kx::properties
