#include "properties/PanelKeys.h"
#include "properties/PropertyRows.h"

#include <gtest/gtest.h>

namespace kx::properties {
namespace {

TEST(PanelKeysTest, KeysCommitAndMoveTheEditorRoundBothEndsOfEveryPage) {
  for (const PageInfo& page : Pages()) {
    const int n = page.RowCount();
    SCOPED_TRACE(page.page);
    const struct {
      PanelKey key;
      int field;
      KeyMove move;
    } cases[] = {
        {PanelKey::Enter, 1, {true, 2}},    {PanelKey::Enter, n, {true, 1}},
        {PanelKey::Enter, 0, {true, 1}},    {PanelKey::Down, n - 1, {true, n}},
        {PanelKey::Down, n, {true, 1}},     {PanelKey::Up, 2, {true, 1}},
        {PanelKey::Up, 1, {true, n}},       {PanelKey::Up, 0, {true, n}},
        {PanelKey::PageUp, n, {true, 1}},   {PanelKey::PageDown, 1, {true, n}},
        {PanelKey::CtrlHome, n, {true, 1}}, {PanelKey::CtrlEnd, 1, {true, n}},
        {PanelKey::Escape, 3, {true, 0}},   {PanelKey::Tab, n, {true, 0}},
        {PanelKey::Other, 3, {false, 0}},
    };
    for (const auto& c : cases) {
      EXPECT_EQ(MoveFor(c.key, c.field, n), c.move)
          << "key " << static_cast<int>(c.key) << " from row " << c.field;
    }
  }
}

}  // namespace
}  // namespace kx::properties
