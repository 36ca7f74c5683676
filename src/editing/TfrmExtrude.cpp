#include "editing/TfrmExtrude.h"

#include "editing/Extrude.h"
#include "level/Numbers.h"
#include "platform/Ui.h"
#include "properties/QtOkCancel.h"

#include <QFormLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <cmath>

namespace kx::editing {

TfrmExtrude::TfrmExtrude(platform::Ui& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_edtDistance(new QLineEdit(this)) {
  setObjectName("frmExtrude");
  setWindowTitle("Extrude");
  setAccessibleName("Extrude");
  setModal(true);
  auto* content = new QWidget(this);
  auto* form = new QFormLayout(content);
  form->setContentsMargins(0, 0, 0, 0);
  m_edtDistance->setObjectName("edtDistance");
  m_edtDistance->setAccessibleName("Distance");
  m_edtDistance->setAccessibleDescription(
      "How far the new sector reaches behind the surface, in level units");
  m_edtDistance->setMinimumWidth(120);
  auto* label = new QLabel("&Distance:", content);
  label->setBuddy(m_edtDistance);
  form->addRow(label, m_edtDistance);
  QPushButton* btnOK = properties::AddOkCancel(*this, content);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  connect(btnOK, &QPushButton::clicked, this, &TfrmExtrude::btnOKClick);
}

std::optional<double> TfrmExtrude::Typed() const {
  const auto value = level::ParseWholeFloat(m_edtDistance->text().toStdString());
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return *value;
}

void TfrmExtrude::btnOKClick() {
  const auto value = Typed();
  std::optional<std::string> refusal;
  if (!value) {
    refusal = "'" + m_edtDistance->text().toStdString() + "' is not a valid floating point value";
  } else {
    refusal = DistanceRefusal(*value);
  }
  if (refusal) {
    m_ui.ShowMessage(platform::BoxKind::Error, *refusal);
    m_edtDistance->setFocus();
    m_edtDistance->selectAll();
    return;
  }
  accept();
}

std::optional<double> TfrmExtrude::Ask(const std::string& distance) {
  m_edtDistance->setText(QString::fromStdString(distance));
  m_edtDistance->selectAll();
  m_edtDistance->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Typed();
}

}  // namespace kx::editing
