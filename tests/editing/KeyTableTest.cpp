#include "editing/KeyTable.h"

#include <gtest/gtest.h>
#include <string>

namespace kx::editing {
namespace {

using mapview::EditMode;
using C = KeyCommand;

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kShift{true, false, false};
constexpr KeyModifiers kCtrl{false, true, false};
constexpr KeyModifiers kAlt{false, false, true};
constexpr KeyModifiers kAll{true, true, true};

struct Row {
  Key key;
  KeyModifiers modifiers;
  EditMode mode;
  KeyAction expected;
};

std::string Describe(const Row& row) {
  return "key " + std::to_string(static_cast<int>(row.key)) + " shift " +
         std::to_string(row.modifiers.shift) + " ctrl " + std::to_string(row.modifiers.ctrl) +
         " alt " + std::to_string(row.modifiers.alt) + " mode " +
         std::to_string(static_cast<int>(row.mode));
}

void ExpectRows(std::initializer_list<Row> rows) {
  for (const Row& row : rows) {
    EXPECT_EQ(KeyActionFor(row.key, row.modifiers, row.mode), row.expected) << Describe(row);
  }
}

TEST(KeyTableTest, ArrowsPanAndOnlyCtrlMakesThemFast) {
  ExpectRows({
      {Key::Left, kNone, EditMode::Surface, {C::PanLeft, false}},
      {Key::Right, kCtrl, EditMode::Vertex, {C::PanRight, true}},
      {Key::Up, kShift, EditMode::Thing, {C::PanUp, false}},
      {Key::Down, kAll, EditMode::Sector, {C::PanDown, true}},
      {Key::Left, kAlt, EditMode::Surface, {C::PanLeft, false}},
  });
}

TEST(KeyTableTest, KeypadPlusAndMinusZoomWhateverIsHeld) {
  ExpectRows({
      {Key::KeypadPlus, kNone, EditMode::Surface, {C::ZoomIn}},
      {Key::KeypadPlus, kAll, EditMode::Thing, {C::ZoomIn}},
      {Key::KeypadMinus, kCtrl, EditMode::Vertex, {C::ZoomOut}},
  });
}

TEST(KeyTableTest, AltWithOneOrTwoKeepsASurfaceOnlyInSurfaceMode) {
  ExpectRows({
      {Key::Digit1, kAlt, EditMode::Surface, {C::KeepFirstSelectedSurface}},
      {Key::Digit2, kAll, EditMode::Surface, {C::KeepLastSelectedSurface}},
      {Key::Digit1, kAlt, EditMode::Vertex, {C::ViewTop}},
      {Key::Digit1, kAlt, EditMode::Sector, {C::ViewTop}},
      {Key::Digit2, kAlt, EditMode::Thing, {C::ViewFront}},
      {Key::Digit1, kCtrl, EditMode::Surface, {C::ViewTop}},
      {Key::Digit2, kShift, EditMode::Surface, {C::ViewFront}},
      {Key::Digit3, kAlt, EditMode::Surface, {C::ViewRight}},
  });
}

TEST(KeyTableTest, LettersChooseTheModeWithAnyModifierButCtrlNewOpenSave) {
  ExpectRows({
      {Key::V, kNone, EditMode::Surface, {C::ModeVertex}},
      {Key::V, kCtrl, EditMode::Surface, {C::ModeVertex}},
      {Key::F, kShift, EditMode::Vertex, {C::ModeSurface}},
      {Key::W, kAlt, EditMode::Vertex, {C::ModeSurface}},
      {Key::S, kNone, EditMode::Vertex, {C::ModeSector}},
      {Key::S, kAlt, EditMode::Vertex, {C::ModeSector}},
      {Key::T, kCtrl, EditMode::Vertex, {C::ModeThing}},
      {Key::O, kShift, EditMode::Vertex, {C::ModeThing}},
      {Key::S, kCtrl, EditMode::Vertex, {C::SaveProject}},
      {Key::S, kAll, EditMode::Vertex, {C::SaveProject}},
      {Key::O, kCtrl, EditMode::Vertex, {C::OpenProject}},
      {Key::N, kCtrl, EditMode::Vertex, {C::NewProject}},
      {Key::N, kNone, EditMode::Vertex, {C::None}},
  });
}

TEST(KeyTableTest, HHidesBackspaceClearsAndOtherKeysDoNothing) {
  ExpectRows({
      {Key::H, kCtrl, EditMode::Thing, {C::HideSelected}},
      {Key::Backspace, kShift, EditMode::Sector, {C::ClearSelection}},
      {Key::Other, kNone, EditMode::Surface, {C::None}},
      {Key::Other, kAll, EditMode::Surface, {C::None}},
  });
}

}  // namespace
}  // namespace kx::editing
