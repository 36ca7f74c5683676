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

// The keys whose command depends on the modifiers or the mode, and those no other test presses.
TEST(KeyTableTest, GivesEachKeyItsCommandWithTheModifiersAndModeThatMatter) {
  const struct {
    Key key;
    KeyModifiers modifiers;
    EditMode mode;
    KeyAction expected;
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
  };
  for (const auto& row : rows) {
    EXPECT_EQ(KeyActionFor(row.key, row.modifiers, row.mode), row.expected)
        << "key " << static_cast<int>(row.key) << " shift " << row.modifiers.shift << " ctrl "
        << row.modifiers.ctrl << " alt " << row.modifiers.alt << " mode "
        << static_cast<int>(row.mode);
  }
}

TEST(KeyTableTest, TheMoveToolTakesAltArrowsAndEscapeWhileArrowsKeepPanning) {
  const struct {
    Key key;
    KeyModifiers modifiers;
    bool moveTool;
    KeyAction expected;
  } rows[] = {
      {Key::Left, kAlt, true, {C::NudgeLeft}},       {Key::Up, kAll, true, {C::NudgeUp}},
      {Key::Right, kCtrl, true, {C::PanRight, true}}, {Key::Down, kNone, true, {C::PanDown}},
      {Key::Down, kAlt, false, {C::PanDown}},         {Key::Escape, kNone, true, {C::LeaveMoveTool}},
      {Key::Escape, kNone, false, {C::ClearSelection}}, {Key::Backspace, kNone, true, {C::ClearSelection}},
      {Key::G, kNone, false, {C::ToggleGrid}},        {Key::BracketLeft, kNone, true, {C::FinerGrid}},
      {Key::BracketRight, kNone, false, {C::CoarserGrid}}, {Key::M, kNone, true, {C::ToggleMoveTool}},
      {Key::E, kNone, false, {C::Extrude}},           {Key::D, kCtrl, false, {C::Duplicate}},
      {Key::D, kNone, false, {C::None}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(KeyActionFor(row.key, row.modifiers, EditMode::Vertex, row.moveTool), row.expected)
        << "key " << static_cast<int>(row.key) << " alt " << row.modifiers.alt << " tool "
        << row.moveTool;
  }
}

}  // namespace
}  // namespace kx::editing
