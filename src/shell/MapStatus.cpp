#include "shell/MapStatus.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

namespace kx::shell {

namespace {

QLabel* Field(QStatusBar* bar, const char* name, const char* description) {
  auto* field = new QLabel(bar);
  field->setObjectName(name);
  field->setAccessibleDescription(description);
  field->setToolTip(description);
  field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  return field;
}

}  // namespace

// A label's text is its accessible name, so each field reads as its description and its value.
MapStatus::MapStatus(QStatusBar* bar)
    : QObject(bar),
      m_pointer(Field(bar, "barPointer", "Pointer position")),
      m_scale(Field(bar, "barScale", "Scale")),
      m_grid(Field(bar, "barGrid", "Grid step")),
      m_note(new QLabel(bar)) {
  m_note->setObjectName("barNote");
  m_note->setAccessibleDescription("Last command");
  bar->addWidget(m_note, 1);
  // Wide enough for two coordinates of a large level, so that the bar does not jump about.
  const QFontMetrics metrics(m_pointer->font());
  m_pointer->setMinimumWidth(metrics.horizontalAdvance("-00000.000, -00000.000") + 8);
  m_pointer->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_scale->setMinimumWidth(metrics.horizontalAdvance("0.0000 px/unit") + 8);
  bar->addPermanentWidget(m_pointer);
  bar->addPermanentWidget(m_scale);
  m_grid->setMinimumWidth(metrics.horizontalAdvance("Grid 0.0015625, hidden") + 8);
  bar->addPermanentWidget(m_grid);
}

void MapStatus::ShowPointer(const QString& text) {
  m_pointer->setText(text);
}

void MapStatus::ShowScale(const QString& text) {
  m_scale->setText(text);
}

void MapStatus::ShowGrid(const QString& text) {
  m_grid->setText(text);
}

void MapStatus::ShowNote(const QString& text) {
  m_note->setText(text);
}

}  // namespace kx::shell
