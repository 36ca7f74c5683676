#pragma once

#include "support/FakeUi.h"
#include "support/MapTestLevel.h"

#include "editing/Picking.h"
#include "editing/SelectionHost.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kx::editing::test {

/// Records the host calls in order: "redraw", "selected", "count N", "panel".
class RecordingHost : public SelectionHost {
 public:
  std::vector<std::string> calls;
  void RedrawMap() override { calls.push_back("redraw"); }
  void DrawSelected() override { calls.push_back("selected"); }
  void ShowSelectionCount(int count) override { calls.push_back("count " + std::to_string(count)); }
  void UpdatePropertyPanel() override { calls.push_back("panel"); }
};

/// Scale 32 and origin 0 on a 320 x 240 panel, Top view: world (x, y) is pixel (32x, 240 - 32y),
/// and pixel offsets are exact in binary.
class SelectionTest : public ::testing::Test {
 protected:
  SelectionTest() { view.scale = 32; }

  level::Level& Level() { return built.level(); }
  SelectionContext Context() { return {Level(), view, panel, mode, index, ui, host}; }
  static int Px(float x) { return static_cast<int>(x * 32); }
  static int Py(float y) { return 240 - static_cast<int>(y * 32); }
  void Click(float x, float y, bool select = true, bool ctrl = false) {
    PickAt(Context(), Px(x), Py(y), select, ctrl);
  }
  void Box(float x1, float y1, float x2, float y2, bool select = true) {
    PickInBox(Context(), Px(x1), Py(y1), Px(x2), Py(y2), select);
  }
  template <typename TableType>
  static std::vector<int> SelectedOf(const TableType& table) {
    std::vector<int> selected;
    for (int i = 0; i < table.Used(); ++i) {
      if (table[i].marks.selected) selected.push_back(i);
    }
    return selected;
  }

  kx::test::MapTestLevel built;
  mapview::MapView view;
  mapview::PanelSize panel{320, 240};
  mapview::EditMode mode = mapview::EditMode::Surface;
  SurfaceSectorIndex index;
  kx::test::FakeUi ui;
  RecordingHost host;
};

using Calls = std::vector<std::string>;
using Indices = std::vector<int>;

}  // namespace kx::editing::test
