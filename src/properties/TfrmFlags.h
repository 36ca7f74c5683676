#pragma once

#include "properties/FlagsEditorState.h"

#include <QDialog>

#include <array>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;

namespace kx::properties {

/// The flags editor: a modal dialog that edits a flag word bit by bit, one check box per bit of
/// the low sixteen, with lblSum showing the word as flag text. Created once and reused; the
/// caller prepares it before each showing and reads Sum() after OK.
class TfrmFlags final : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmFlags(QWidget* parent);

  /// The captions of word's table and lblSum's starting text (empty: no single value).
  void Prepare(FlagWord word, const std::string& start);
  /// lblSum's text.
  std::string Sum() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void chk32768Click();

  FlagsEditorState m_state;
  QGroupBox* m_grpFlags;
  std::array<QCheckBox*, kFlagBoxes> m_boxes{};  // [k]: the box of bit value 2^k
  QLabel* m_lblSum;
};

}  // namespace kx::properties
