#include "shell/TfrmUngobing.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace kx::shell {

TfrmUngobing::TfrmUngobing(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("frmUngobing");
  setWindowTitle("Ungobing...");
  setFixedSize(420, 86);
  m_group = new QGroupBox("Extracting file: ", this);
  m_group->setObjectName("grpUngob");
  m_group->setGeometry(8, 8, 405, 69);
  m_item = new QLabel(m_group);
  m_item->setObjectName("lblFilename");
  m_item->setGeometry(12, 20, 381, 17);
  m_bar = new QProgressBar(m_group);
  m_bar->setObjectName("barUngob");
  m_bar->setGeometry(12, 40, 381, 16);
  m_bar->setRange(0, 100);
  m_bar->setValue(0);
  m_bar->setTextVisible(false);
}

void TfrmUngobing::Begin(const QString& caption, const QString& groupCaption, int maximum) {
  setWindowTitle(caption);
  m_bar->setValue(0);
  SetMaximum(maximum);
  m_group->setTitle(groupCaption);
}

void TfrmUngobing::SetMaximum(int maximum) {
  // A range of 0..0 would turn the bar into a busy indicator; an operation with nothing to do
  // shows an empty bar instead.
  m_bar->setRange(0, maximum > 0 ? maximum : 1);
}

void TfrmUngobing::SetItem(const QString& text) {
  m_item->setText(text);
}

void TfrmUngobing::SetPosition(int position) {
  m_bar->setValue(std::clamp(position, m_bar->minimum(), m_bar->maximum()));
}

void TfrmUngobing::closeEvent(QCloseEvent* event) {
  // The operation runs on to its end whatever the user does; its end hides the window.
  event->ignore();
}

}  // namespace kx::shell
