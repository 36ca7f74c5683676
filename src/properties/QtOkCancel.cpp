#include "properties/QtOkCancel.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx::properties {

QPushButton* AddOkCancel(QDialog& dialog, QWidget* content) {
  auto* btnOK = new QPushButton("&OK", &dialog);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  auto* btnCancel = new QPushButton("&Cancel", &dialog);
  btnCancel->setObjectName("btnCancel");
  QObject::connect(btnCancel, &QPushButton::clicked, &dialog, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(content);
  layout->addLayout(buttons);
  return btnOK;
}

}  // namespace kx::properties
