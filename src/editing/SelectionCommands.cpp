#include "editing/SelectionCommands.h"

#include "editing/TableMarks.h"

namespace kx::editing {

using level::RecordMarks;
using mapview::EditMode;

int CountSelected(const level::Level& level, EditMode mode) {
  int count = 0;
  ForEachMarks(level, mode, [&](const RecordMarks& marks) {
    if (marks.empty == 0 && marks.selected == 1) ++count;
  });
  return count;
}

int UpdateSelectionCount(const SelectionContext& context) {
  const int count = CountSelected(context.level, context.mode);
  context.host.ShowSelectionCount(count);
  return count;
}

void ClearSelection(const SelectionContext& context) {
  ForEachMarks(context.level, context.mode, [](RecordMarks& marks) { marks.selected = 0; });
  UpdateSelectionCount(context);
  context.host.RedrawMap();
}

void SelectAll(const SelectionContext& context) {
  ForEachMarks(context.level, context.mode, [](RecordMarks& marks) {
    if (marks.IsCandidate()) marks.selected = 1;
  });
  context.host.DrawSelected();
  UpdateSelectionCount(context);
  context.host.UpdatePropertyPanel();
}

void HideSelected(const SelectionContext& context) {
  ForEachMarks(context.level, context.mode, [](RecordMarks& marks) {
    if (marks.selected == 1) {
      marks.visible = 0;
      marks.selected = 0;
    }
  });
  UpdateSelectionCount(context);
  context.host.RedrawMap();
}

void ShowAll(const SelectionContext& context) {
  ForEachMarks(context.level, context.mode, [](RecordMarks& marks) {
    if (marks.empty == 0) marks.visible = 1;
  });
  context.host.RedrawMap();
}

void ShowSelectionOnly(const SelectionContext& context) {
  ForEachMarks(context.level, context.mode, [](RecordMarks& marks) {
    if (marks.selected == 0) marks.visible = 0;
  });
  context.host.RedrawMap();
}

static void KeepOneSelectedSurface(const SelectionContext& context, bool first) {
  auto& surfaces = context.level.surfaces;
  int kept = -1;
  for (int s = 0; s < surfaces.Used(); ++s) {
    if (surfaces[s].marks.IsVisiblySelected()) {
      kept = s;
      if (first) break;
    }
  }
  if (kept >= 0) {
    for (int s = 0; s < surfaces.Used(); ++s) {
      if (s != kept && surfaces[s].marks.IsCandidate()) surfaces[s].marks.selected = 0;
    }
  }
  context.host.RedrawMap();
  UpdateSelectionCount(context);
  context.host.UpdatePropertyPanel();
}

void KeepFirstSelectedSurface(const SelectionContext& context) {
  KeepOneSelectedSurface(context, true);
}

void KeepLastSelectedSurface(const SelectionContext& context) {
  KeepOneSelectedSurface(context, false);
}

void ResetMarks(const SelectionContext& context) {
  for (const EditMode mode :
       {EditMode::Vertex, EditMode::Surface, EditMode::Sector, EditMode::Thing}) {
    ForEachMarks(context.level, mode, [](RecordMarks& marks) {
      marks.selected = 0;
      marks.visible = 1;
    });
  }
  UpdateSelectionCount(context);
}

}  // namespace kx::editing
