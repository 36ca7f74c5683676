#include "properties/TfrmFlags.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace kx::properties {

namespace {

constexpr int kFirstBoxY = 20;
constexpr int kBoxPitch = 20;

}  // namespace

TfrmFlags::TfrmFlags(QWidget* parent) : QDialog(parent) {
  setObjectName("frmFlags");
  setWindowTitle("Flags Editor");
  setFixedSize(397, 432);
  setModal(true);

  m_grpFlags = new QGroupBox(this);
  m_grpFlags->setObjectName("grpFlags");
  m_grpFlags->setGeometry(8, 12, 377, 377);
  // From the top the highest bit: chk32768 first, chk1 last.
  for (int k = kFlagBoxes - 1; k >= 0; --k) {
    auto* box = new QCheckBox(m_grpFlags);
    box->setObjectName(QString("chk%1").arg(1 << k));
    box->setGeometry(12, kFirstBoxY + kBoxPitch * (kFlagBoxes - 1 - k), 353, 18);
    connect(box, &QCheckBox::toggled, this, &TfrmFlags::chk32768Click);
    m_boxes[static_cast<std::size_t>(k)] = box;
  }
  auto* bvlSum = new QFrame(m_grpFlags);
  bvlSum->setObjectName("bvlSum");
  bvlSum->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  bvlSum->setGeometry(12, kFirstBoxY + kBoxPitch * kFlagBoxes + 2, 353, 4);
  m_lblSum = new QLabel(m_grpFlags);
  m_lblSum->setObjectName("lblSum");
  m_lblSum->setGeometry(12, kFirstBoxY + kBoxPitch * kFlagBoxes + 10, 353, 20);
  m_lblSum->setAccessibleDescription("Flag word");

  auto* btnOK = new QPushButton("&OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setGeometry(214, 397, 75, 25);
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  auto* btnCancel = new QPushButton("&Cancel", this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setGeometry(302, 397, 75, 25);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmFlags::Prepare(FlagWord word, const std::string& start) {
  m_grpFlags->setTitle(QString::fromStdString(std::string(GroupCaption(word))));
  const auto captions = BoxCaptions(word);
  for (std::size_t k = 0; k < m_boxes.size(); ++k) {
    const QString caption = QString::fromStdString(std::string(captions[k]));
    m_boxes[k]->setText(caption);
    m_boxes[k]->setAccessibleName(caption);
  }
  m_state.SetSum(start);
  m_lblSum->setText(QString::fromStdString(start));
}

std::string TfrmFlags::Sum() const {
  return m_state.Sum();
}

void TfrmFlags::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TfrmFlags::FormShow() {
  const std::uint16_t bits = m_state.Show();
  m_lblSum->setText(QString::fromStdString(m_state.Sum()));
  for (std::size_t k = 0; k < m_boxes.size(); ++k) m_boxes[k]->setChecked((bits >> k) & 1u);
  m_state.BoxesLoaded();
}

void TfrmFlags::chk32768Click() {
  if (m_state.Loading()) return;
  std::uint16_t boxes = 0;
  for (std::size_t k = 0; k < m_boxes.size(); ++k) {
    if (m_boxes[k]->isChecked()) boxes |= static_cast<std::uint16_t>(1u << k);
  }
  m_state.BoxesChanged(boxes);
  m_lblSum->setText(QString::fromStdString(m_state.Sum()));
}

}  // namespace kx::properties
