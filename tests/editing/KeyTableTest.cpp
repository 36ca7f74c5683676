#include "editing/KeyTable.h"

#include <gtest/gtest.h>

namespace kx::editing {
namespace {

using mapview::EditMode;
using C = KeyCommand;

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kShift{true, false, false};
constexpr KeyModifiers kCtrl{false, true, false};
constexpr KeyModifiers kAlt{false, false, true};
constexpr KeyModifiers kAll{true, true, true};

// The keys whose command depends on the modifiers, the mode or the move tool, and those no other
// test presses. The move tool takes Alt+arrows and Escape while plain arrows keep panning.
TEST(KeyTableTest, GivesEachKeyItsCommandWithTheModifiersModeAndToolThatMatter) {
  const struct {
    Key key;
    KeyModifiers modifiers;
    EditMode mode;
    KeyAction expected;
    bool moveTool = false;
  } rows[] = {
      {Key::Left, kAlt, EditMode::Surface, {C::PanLeft, false}},  // only Ctrl makes it fast
      {Key::Down, kAll, EditMode::Sector, {C::PanDown, true}},
      {Key::KeypadPlus, kAll, EditMode::Thing, {C::ZoomIn}},
      {Key::Digit1, kAlt, EditMode::Surface, {C::KeepFirstSelectedSurface}},
      {Key::Digit2, kAll, EditMode::Surface, {C::KeepLastSelectedSurface}},
      {Key::Digit1, kAlt, EditMode::Vertex, {C::ViewTop}},
      {Key::Digit2, kAlt, EditMode::Thing, {C::ViewFront}},
      {Key::Digit1, kCtrl, EditMode::Surface, {C::ViewTop}},
      {Key::Digit3, kAlt, EditMode::Surface, {C::ViewRight}},
      {Key::V, kCtrl, EditMode::Surface, {C::ModeVertex}},
      {Key::W, kAlt, EditMode::Vertex, {C::ModeSurface}},
      {Key::S, kAlt, EditMode::Vertex, {C::ModeSector}},
      {Key::O, kShift, EditMode::Vertex, {C::ModeThing}},
      {Key::S, kAll, EditMode::Vertex, {C::SaveProject}},
      {Key::O, kCtrl, EditMode::Vertex, {C::OpenProject}},
      {Key::N, kCtrl, EditMode::Vertex, {C::NewProject}},
      {Key::N, kNone, EditMode::Vertex, {C::None}},
      {Key::H, kCtrl, EditMode::Thing, {C::HideSelected}},
      {Key::Other, kAll, EditMode::Surface, {C::None}},
      {Key::Left, kAlt, EditMode::Vertex, {C::NudgeLeft}, true},
      {Key::Up, kAll, EditMode::Vertex, {C::NudgeUp}, true},
      {Key::Right, kCtrl, EditMode::Vertex, {C::PanRight, true}, true},
      {Key::Down, kNone, EditMode::Vertex, {C::PanDown}, true},
      {Key::Down, kAlt, EditMode::Vertex, {C::PanDown}, false},
      {Key::Escape, kNone, EditMode::Vertex, {C::LeaveMoveTool}, true},
      {Key::Escape, kNone, EditMode::Vertex, {C::ClearSelection}, false},
      {Key::Backspace, kNone, EditMode::Vertex, {C::ClearSelection}, true},
      {Key::G, kNone, EditMode::Vertex, {C::ToggleGrid}, false},
      {Key::BracketLeft, kNone, EditMode::Vertex, {C::FinerGrid}, true},
      {Key::BracketRight, kNone, EditMode::Vertex, {C::CoarserGrid}, false},
      {Key::M, kNone, EditMode::Vertex, {C::ToggleMoveTool}, true},
      {Key::E, kNone, EditMode::Vertex, {C::Extrude}, false},
      {Key::D, kCtrl, EditMode::Vertex, {C::Duplicate}, false},
      {Key::D, kNone, EditMode::Vertex, {C::None}, false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(KeyActionFor(row.key, row.modifiers, row.mode, row.moveTool), row.expected)
        << "key " << static_cast<int>(row.key) << " shift " << row.modifiers.shift << " ctrl "
        << row.modifiers.ctrl << " alt " << row.modifiers.alt << " mode "
        << static_cast<int>(row.mode) << " tool " << row.moveTool;
  }
}

}  // namespace
}  // namespace kx::editing
