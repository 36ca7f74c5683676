#pragma once

#include "editing/Editor.h"
#include "mapview/EditMode.h"
#include "properties/FlagsEditorState.h"
#include "properties/PropertyRows.h"
#include "properties/TintColour.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kx::properties {

/// A page's in-place editor: closed, open on a typed row (the edit box takes text) or open on a
/// chosen row (the box is read-only and the "more" button runs the row's chooser).
enum class EditorState { Closed, Typed, Chosen };

/// What one page shows: its value texts (row 1 first), the row its editor was opened on last
/// (0 before the first time; kept after closing), the editor's state and the edit box's text
/// as the panel sets it.
struct PageState {
  std::vector<std::string> labels;
  int field = 0;
  EditorState editor = EditorState::Closed;
  std::string editText;
};

/// The property panel without its widgets: the three pages with rows, filled from the
/// selection, and the rules that change the selected records from them. Every write goes
/// through the Editor's change funnel, one step per commit or choice; a commit or choice
/// that writes nothing leaves the label as it was. The counts passed in are the selection
/// counter's number.
class PropertyPanel {
 public:
  explicit PropertyPanel(editing::Editor& editor);

  /// The page of mode; the vertex page has no rows.
  const PageState& State(mapview::EditMode mode) const;

  /// UpdatePropertyPanel: refills the current mode's page from the selection and puts the
  /// value of the editor's row into the edit box.
  void Update(int count);
  /// Empties every page and closes every editor (a level is about to be read).
  void Reset();

  /// A click on the value label of row (from 1): opens mode's editor there with the label's
  /// text, unless count is 0. Returns whether it opened.
  bool Open(mapview::EditMode mode, int row, int count);
  /// The edit box is left with typed as its text: a typed row commits it (see CommitTyped),
  /// unless it is the text the box was given; then the editor closes. Returns whether it was
  /// open.
  bool Commit(mapview::EditMode mode, std::string_view typed);

  /// What mode's "more" button runs now: nothing when count is 0 or the editor's row has no
  /// chooser.
  Chooser MoreChooser(mapview::EditMode mode, int count) const;

  /// The flag word a flags row edits (its captions in the flags editor).
  static FlagWord FlagWordOf(Field field);
  /// The flags editor closed with OK showing sum: every selected record of mode's table gets
  /// its low 16 bits from sum (its bits above are kept), and the row's label shows sum.
  void FlagsChosen(mapview::EditMode mode, std::string_view sum);

  /// The tint dialog's starting colour: the selected sector's tint when count is 1, else black.
  DialogColour TintStart(int count) const;
  /// The tint dialog closed with OK on colour: every selected sector gets it.
  void TintChosen(DialogColour colour);

  /// The material selector closed with OK on material index: every selected surface gets it;
  /// the Mat label and the edit box show its name when exactly one surface did, else nothing.
  void MaterialChosen(int index);

 private:
  PageState& Page(mapview::EditMode mode);

  editing::Editor& m_editor;
  std::array<PageState, 4> m_pages;  // by mode, the vertex page's empty
};

}  // namespace kx::properties
