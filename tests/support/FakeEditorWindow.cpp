#include "support/FakeEditorWindow.h"

namespace kx::test {

void FakeEditorWindow::RedrawMap() {
  calls.push_back("redraw");
  if (editor) editor->PaintMap();
}

void FakeEditorWindow::DrawSelected() {
  calls.push_back("selected");
  if (editor) editor->PaintSelected();
}

void FakeEditorWindow::ShowSelectionCount(int count) {
  calls.push_back("count " + std::to_string(count));
  shownCount = count;
}

void FakeEditorWindow::BeforeProjectLoad() {
  calls.push_back("before load");
  if (editor) editor->BeforeProjectLoad();
}

void FakeEditorWindow::ProjectOpened() {
  calls.push_back("opened");
  if (editor) editor->ProjectOpened();
}

void FakeEditorWindow::ShowView(mapview::View view) {
  calls.push_back("view " + std::to_string(static_cast<int>(view)));
}

void FakeEditorWindow::ShowEditMode(mapview::EditMode mode) {
  calls.push_back("mode " + std::to_string(static_cast<int>(mode)));
}

}  // namespace kx::test
