#include "properties/QtPropertyPages.h"

#include "properties/TfrmFlags.h"
#include "resources/TfrmMatSelect.h"
#include "shell/QtText.h"

#include <QColorDialog>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace kx::properties {

namespace {

using mapview::EditMode;

constexpr int kCaptionX = 4;
constexpr int kLabelHeight = 17;
constexpr int kEditHeight = 21;
constexpr int kMoreWidth = 21;

PanelKey PanelKeyOf(const QKeyEvent& event) {
  const bool ctrl = event.modifiers().testFlag(Qt::ControlModifier);
  switch (event.key()) {
    case Qt::Key_Escape:
      return PanelKey::Escape;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return PanelKey::Enter;
    case Qt::Key_Up:
      return PanelKey::Up;
    case Qt::Key_Down:
      return PanelKey::Down;
    case Qt::Key_PageUp:
      return PanelKey::PageUp;
    case Qt::Key_PageDown:
      return PanelKey::PageDown;
    case Qt::Key_Home:
      return ctrl ? PanelKey::CtrlHome : PanelKey::Other;
    case Qt::Key_End:
      return ctrl ? PanelKey::CtrlEnd : PanelKey::Other;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return PanelKey::Tab;
    default:
      return PanelKey::Other;
  }
}

QString Shown(const std::string& text) {
  return shell::DisplayText(text);
}

/// The bytes of text typed into a box: the game's 8-bit text where it fits, else UTF-8.
std::string GameText(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() > 0xFF) return text.toUtf8().toStdString();
  }
  return text.toLatin1().toStdString();
}

std::size_t ModeIndex(EditMode mode) {
  return static_cast<std::size_t>(mode) - 1;
}

}  // namespace

QtPropertyPages::QtPropertyPages(const Window& window)
    : QObject(window.owner), m_window(window), m_panel(window.editor) {
  for (std::size_t i = 0; i < m_widgets.size(); ++i) {
    PageWidgets& widgets = m_widgets[i];
    widgets.info = &Pages()[i];
    widgets.page = m_window.pages[ModeIndex(widgets.info->mode)];
    CreateRows(widgets);
    widgets.page->installEventFilter(this);
    Layout(widgets);
    Render(widgets, true);
  }
  m_flags = new TfrmFlags(window.owner);
  m_matSelect = new resources::TfrmMatSelect(window.owner, window.editor, window.ui);
  m_window.dlgTint->setOptions(QColorDialog::DontUseNativeDialog);
}

void QtPropertyPages::CreateRows(PageWidgets& widgets) {
  const PageInfo& info = *widgets.info;
  for (const RowInfo& row : info.rows) {
    auto* caption = new QLabel(QString::fromLatin1(row.caption), widgets.page);
    auto* label = new QLabel(widgets.page);
    label->setObjectName(QString::fromLatin1(row.label));
    label->setAccessibleDescription(QString::fromLatin1(row.Description()));
    label->setCursor(Qt::IBeamCursor);
    label->installEventFilter(this);
    if (!row.hint.empty()) {
      caption->setToolTip(QString::fromLatin1(row.hint));
      label->setToolTip(QString::fromLatin1(row.hint));
    }
    auto* line = new QFrame(widgets.page);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    widgets.captions.push_back(caption);
    widgets.labels.push_back(label);
    widgets.lines.push_back(line);
  }
  // The captions fit a small 8-point font at the page's edit box x; a larger desktop font
  // moves the values right rather than cut the captions.
  int widest = 0;
  for (const QLabel* caption : widgets.captions)
    widest = std::max(widest, caption->sizeHint().width());
  widgets.editX = std::max(info.editX, kCaptionX + widest + 2);
  widgets.edit = new QLineEdit(widgets.page);
  widgets.edit->setObjectName(QString::fromLatin1(info.edit));
  widgets.edit->setAccessibleName("Value");
  widgets.edit->installEventFilter(this);
  widgets.more = new QPushButton("...", widgets.page);
  widgets.more->setObjectName(QString::fromLatin1(info.more));
  widgets.more->setAccessibleName("More");
  widgets.more->setFocusPolicy(Qt::StrongFocus);
  widgets.more->installEventFilter(this);
  const EditMode mode = info.mode;
  connect(widgets.more, &QPushButton::clicked, this, [this, mode] { MoreClick(mode); });
}

void QtPropertyPages::Layout(const PageWidgets& widgets) {
  const int width = widgets.page->width();
  const int labelX = widgets.editX + 2;
  for (std::size_t r = 0; r < widgets.labels.size(); ++r) {
    const int y = kRowTop + kRowPitch * static_cast<int>(r);
    widgets.captions[r]->setGeometry(kCaptionX, y, labelX - kCaptionX, kLabelHeight);
    widgets.labels[r]->setGeometry(labelX, y, std::max(width - labelX, 1), kLabelHeight);
    widgets.lines[r]->setGeometry(0, y + kLabelHeight, width, 2);
  }
  Render(widgets, false);
}

void QtPropertyPages::Render(const PageWidgets& widgets, bool withEditText) {
  const PageInfo& info = *widgets.info;
  const PageState& state = m_panel.State(info.mode);
  for (std::size_t r = 0; r < widgets.labels.size(); ++r) {
    const QString text = Shown(state.labels[r]);
    widgets.labels[r]->setText(text);
    // A narrow panel cuts long values (a centre, params): the tip shows them whole.
    if (info.rows[r].hint.empty()) widgets.labels[r]->setToolTip(text);
  }
  if (withEditText) widgets.edit->setText(Shown(state.editText));
  if (state.editor == EditorState::Closed) {
    widgets.edit->hide();
    widgets.more->hide();
    return;
  }
  const int width = widgets.page->width();
  const int top = widgets.labels[static_cast<std::size_t>(state.field - 1)]->y() - kEditRaise;
  const bool typed = state.editor == EditorState::Typed;
  const int margin = (typed ? info.typedMargin : info.chosenMargin) + widgets.editX - info.editX;
  widgets.edit->setEnabled(typed);
  widgets.edit->setGeometry(widgets.editX, top, std::max(width - margin, 1), kEditHeight);
  widgets.edit->show();
  if (typed) {
    widgets.more->hide();
  } else {
    widgets.more->setGeometry(width - kMoreFromRight, top, kMoreWidth, kEditHeight);
    widgets.more->show();
    widgets.more->raise();
  }
}

QtPropertyPages::PageWidgets* QtPropertyPages::WidgetsOf(EditMode mode) {
  for (PageWidgets& widgets : m_widgets) {
    if (widgets.info->mode == mode) return &widgets;
  }
  return nullptr;
}

int QtPropertyPages::Counter() const {
  return m_window.counter->text().toInt();
}

std::string QtPropertyPages::TypedText(const PageWidgets& widgets) const {
  const std::string& given = m_panel.State(widgets.info->mode).editText;
  // Text shown and left as it was keeps its bytes, whichever way they were shown.
  if (widgets.edit->text() == Shown(given)) return given;
  return GameText(widgets.edit->text());
}

void QtPropertyPages::UpdatePropertyPanel() {
  m_panel.Update(Counter());
  if (PageWidgets* widgets = WidgetsOf(m_window.editor.Mode())) Render(*widgets, true);
}

void QtPropertyPages::Reset() {
  m_panel.Reset();
  m_keyPreview = true;
  for (const PageWidgets& widgets : m_widgets) Render(widgets, true);
}

void QtPropertyPages::CommitOpenEditor() {
  EditExit(m_window.editor.Mode());
}

bool QtPropertyPages::HoldsKey(const QWidget* focus, const QKeyEvent& event) const {
  if (!m_keyPreview) return true;
  for (const PageWidgets& widgets : m_widgets) {
    if (focus == widgets.more && PanelKeyOf(event) != PanelKey::Other) return true;
  }
  return false;
}

void QtPropertyPages::LabelClick(EditMode mode, int row) {
  PageWidgets* widgets = WidgetsOf(mode);
  if (!widgets) return;
  const int count = Counter();
  if (count == 0) return;
  // Moving to another row keeps what was typed on this one.
  EditExit(mode);
  if (!m_panel.Open(mode, row, count)) return;
  Render(*widgets, true);
  if (m_panel.State(mode).editor == EditorState::Typed) {
    widgets->edit->setFocus(Qt::OtherFocusReason);
    widgets->edit->selectAll();
  } else {
    widgets->more->setFocus(Qt::OtherFocusReason);
  }
}

void QtPropertyPages::edtSurfaceEnter() {
  // While the user types, the window's keyboard commands do not see the keys.
  m_keyPreview = false;
}

void QtPropertyPages::EditExit(EditMode mode) {
  PageWidgets* widgets = WidgetsOf(mode);
  if (!widgets || m_committing) return;
  if (m_panel.State(mode).editor == EditorState::Closed) return;
  m_committing = true;
  m_keyPreview = true;
  m_window.keySink->setFocus(Qt::OtherFocusReason);
  const std::string typed = TypedText(*widgets);
  m_window.runCommand([&] { m_panel.Commit(mode, typed); });
  Render(*widgets, false);
  m_committing = false;
}

void QtPropertyPages::EditKeyUp(EditMode mode, PanelKey key) {
  const PageState& state = m_panel.State(mode);
  const KeyMove move = MoveFor(key, state.field, WidgetsOf(mode)->info->RowCount());
  if (!move.commit) return;
  EditExit(mode);
  if (move.openRow != 0) LabelClick(mode, move.openRow);
}

void QtPropertyPages::MoreClick(EditMode mode) {
  switch (m_panel.MoreChooser(mode, Counter())) {
    case Chooser::Material:
      RunMatSelect();
      break;
    case Chooser::Flags:
      RunFlags(mode);
      break;
    case Chooser::Tint:
      RunTint();
      break;
    case Chooser::None:
      break;
  }
}

void QtPropertyPages::RunFlags(EditMode mode) {
  const PageState& state = m_panel.State(mode);
  const RowInfo& row = WidgetsOf(mode)->info->Row(state.field);
  m_flags->Prepare(PropertyPanel::FlagWordOf(row.field),
                   state.labels[static_cast<std::size_t>(state.field - 1)]);
  if (m_flags->exec() != QDialog::Accepted) return;
  m_window.runCommand([&] { m_panel.FlagsChosen(mode, m_flags->Sum()); });
  Render(*WidgetsOf(mode), true);
}

void QtPropertyPages::RunTint() {
  const DialogColour start = m_panel.TintStart(Counter());
  QColorDialog& dialog = *m_window.dlgTint;
  dialog.setCurrentColor(QColor(start & 255, (start >> 8) & 255, (start >> 16) & 255));
  if (dialog.exec() != QDialog::Accepted) return;
  const QColor chosen = dialog.selectedColor();
  const DialogColour colour = static_cast<DialogColour>(chosen.red()) |
                              static_cast<DialogColour>(chosen.green()) << 8 |
                              static_cast<DialogColour>(chosen.blue()) << 16;
  m_window.runCommand([&] { m_panel.TintChosen(colour); });
}

void QtPropertyPages::RunMatSelect() {
  const auto chosen = m_matSelect->Execute(m_panel.State(EditMode::Surface).labels[0]);
  if (!chosen) return;
  m_window.runCommand([&] { m_panel.MaterialChosen(*chosen); });
  Render(*WidgetsOf(EditMode::Surface), true);
}

bool QtPropertyPages::eventFilter(QObject* watched, QEvent* event) {
  for (PageWidgets& widgets : m_widgets) {
    if (!widgets.info) break;  // the rows are still being made
    const EditMode mode = widgets.info->mode;
    if (watched == widgets.page) {
      if (event->type() == QEvent::Resize) Layout(widgets);
      return false;
    }
    const bool isEdit = watched == widgets.edit;
    if (isEdit || watched == widgets.more) {
      switch (event->type()) {
        case QEvent::FocusIn:
          if (isEdit) edtSurfaceEnter();
          break;
        case QEvent::FocusOut: {
          if (!isEdit) break;
          const auto reason = static_cast<QFocusEvent*>(event)->reason();
          // A menu or another window taking the focus for a while is no leaving of the box.
          if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) break;
          m_keyPreview = true;
          EditExit(mode);
          break;
        }
        case QEvent::KeyPress: {
          // The editor's keys act on their release; Tab must not move the focus meanwhile.
          const PanelKey key = PanelKeyOf(*static_cast<QKeyEvent*>(event));
          if (key == PanelKey::Other) break;
          m_pressed = {watched, key};
          return true;
        }
        case QEvent::KeyRelease: {
          const PanelKey key = PanelKeyOf(*static_cast<QKeyEvent*>(event));
          if (key == PanelKey::Other) break;
          // Only a key pressed here: the Enter that closed a dialog comes up on the button.
          if (m_pressed != std::pair<QObject*, PanelKey>{watched, key}) return true;
          m_pressed = {};
          EditKeyUp(mode, key);
          return true;
        }
        default:
          break;
      }
      return false;
    }
    for (std::size_t r = 0; r < widgets.labels.size(); ++r) {
      if (watched != widgets.labels[r] || event->type() != QEvent::MouseButtonRelease) continue;
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton &&
          widgets.labels[r]->rect().contains(mouse->position().toPoint())) {
        LabelClick(mode, static_cast<int>(r) + 1);
      }
      return false;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kx::properties
