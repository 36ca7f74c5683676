#include "properties/PropertyPanel.h"

#include "properties/PageTexts.h"
#include "properties/RowCommit.h"

namespace kx::properties {

namespace {

using mapview::EditMode;

std::size_t PageIndex(EditMode mode) {
  return static_cast<std::size_t>(mode) - 1;
}

}  // namespace

PropertyPanel::PropertyPanel(editing::Editor& editor) : m_editor(editor) {
  Reset();
}

const PageState& PropertyPanel::State(EditMode mode) const {
  return m_pages[PageIndex(mode)];
}

PageState& PropertyPanel::Page(EditMode mode) {
  return m_pages[PageIndex(mode)];
}

void PropertyPanel::Update(int count) {
  const EditMode mode = m_editor.Mode();
  const PageInfo* page = PageFor(mode);
  if (!page) return;
  PageState& state = Page(mode);
  state.labels = PageTexts(m_editor.Level(), mode, count);
  if (count != 1) {
    state.editText.clear();
  } else if (state.field >= 1 && state.field <= page->RowCount()) {
    state.editText = state.labels[static_cast<std::size_t>(state.field - 1)];
  }
}

void PropertyPanel::Reset() {
  for (const PageInfo& page : Pages()) {
    PageState& state = Page(page.mode);
    state.labels.assign(page.rows.size(), std::string());
    state.editor = EditorState::Closed;
    state.editText.clear();
  }
}

bool PropertyPanel::Open(EditMode mode, int row, int count) {
  const PageInfo* page = PageFor(mode);
  if (!page || count == 0 || row < 1 || row > page->RowCount()) return false;
  PageState& state = Page(mode);
  state.editText = state.labels[static_cast<std::size_t>(row - 1)];
  state.editor = page->Row(row).Typed() ? EditorState::Typed : EditorState::Chosen;
  state.field = row;
  return true;
}

bool PropertyPanel::Commit(EditMode mode, std::string_view typed) {
  const PageInfo* page = PageFor(mode);
  if (!page) return false;
  PageState& state = Page(mode);
  if (state.editor == EditorState::Closed) return false;
  // Leaving the box as it was given is no change: a float shown with six decimals would
  // otherwise be written back rounded.
  if (state.editor == EditorState::Typed && typed != state.editText) {
    if (auto label = CommitTyped(m_editor, mode, page->Row(state.field), typed)) {
      state.labels[static_cast<std::size_t>(state.field - 1)] = std::move(*label);
    }
  }
  state.editor = EditorState::Closed;
  return true;
}

Chooser PropertyPanel::MoreChooser(EditMode mode, int count) const {
  const PageInfo* page = PageFor(mode);
  const PageState& state = State(mode);
  if (!page || count == 0 || state.field < 1 || state.field > page->RowCount()) {
    return Chooser::None;
  }
  return page->Row(state.field).chooser;
}

FlagWord PropertyPanel::FlagWordOf(Field field) {
  switch (field) {
    case Field::SurfaceFaceflags:
      return FlagWord::SurfaceFaceflags;
    case Field::SectorFlags:
      return FlagWord::SectorFlags;
    default:
      return FlagWord::SurfaceSurfflags;
  }
}

void PropertyPanel::FlagsChosen(EditMode mode, std::string_view sum) {
  const PageInfo* page = PageFor(mode);
  if (!page) return;
  PageState& state = Page(mode);
  if (state.field < 1 || state.field > page->RowCount()) return;
  const RowInfo& row = page->Row(state.field);
  if (row.chooser != Chooser::Flags) return;
  const std::vector<int> indices = SelectedRecords(m_editor.Level(), mode);
  if (indices.empty()) return;
  auto change = m_editor.Change(row.StepName());
  for (const int i : indices) {
    switch (row.field) {
      case Field::SurfaceSurfflags: {
        auto& word = change.Surface(i).surfflags;
        word = EditedFlagWord(word, sum);
        break;
      }
      case Field::SurfaceFaceflags: {
        auto& word = change.Surface(i).faceflags;
        word = EditedFlagWord(word, sum);
        break;
      }
      default: {
        auto& word = change.Sector(i).flags;
        word = EditedFlagWord(word, sum);
        break;
      }
    }
  }
  change.Commit();
  state.labels[static_cast<std::size_t>(state.field - 1)] = std::string(sum);
  state.editText = std::string(sum);
}

DialogColour PropertyPanel::TintStart(int count) const {
  if (count != 1) return 0;
  const int sector = SelectedRecord(m_editor.Level(), EditMode::Sector);
  return sector < 0 ? 0 : TintStartColour(m_editor.Level().sectors[sector].tint);
}

void PropertyPanel::TintChosen(DialogColour colour) {
  // With the counter at 1 every selected sector is the selected sector, or none when that one
  // is hidden.
  const std::vector<int> indices = SelectedRecords(m_editor.Level(), EditMode::Sector);
  if (indices.empty()) return;
  const auto tint = TintOfColour(colour);
  auto change = m_editor.Change(RowOf(Field::SectorTint).StepName());
  for (const int i : indices) change.Sector(i).tint = tint;
  change.Commit();
}

void PropertyPanel::MaterialChosen(int index) {
  const level::Level& level = m_editor.Level();
  if (!level.materials.InUse(index)) return;
  const std::vector<int> indices = SelectedRecords(level, EditMode::Surface);
  auto change = m_editor.Change(RowOf(Field::SurfaceMat).StepName());
  for (const int i : indices) change.Surface(i).mat = index;
  change.Commit();
  PageState& state = Page(EditMode::Surface);
  const std::string name = indices.size() == 1 ? level.materials[index].name : std::string();
  state.labels[0] = name;
  state.editText = name;
}

}  // namespace kx::properties
