#include "properties/TfrmEditHeader.h"

#include "editing/Editor.h"
#include "platform/Ui.h"
#include "properties/QtOkCancel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx::properties {

namespace {

constexpr int kBoxWidth = 84;

QString Text(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TfrmEditHeader::TfrmEditHeader(platform::Ui& ui, QWidget* parent) : QDialog(parent), m_ui(ui) {
  setObjectName("frmEditHeader");
  setWindowTitle("Header");
  setModal(true);

  auto* group = new QGroupBox("Header information: ", this);
  group->setObjectName("grpHeader");
  auto* rows = new QVBoxLayout(group);
  QHBoxLayout* row = nullptr;
  QHBoxLayout* boxes = nullptr;
  int rowNumber = -1;
  for (std::size_t i = 0; i < kHeaderFields.size(); ++i) {
    const HeaderField& field = kHeaderFields[i];
    if (field.row != rowNumber) {
      rowNumber = field.row;
      row = new QHBoxLayout;
      row->addStretch();
      rows->addLayout(row);
    }
    auto* box = new QLineEdit(group);
    box->setObjectName(Text(field.edit));
    box->setAccessibleName(Text(field.name));
    box->setFixedWidth(kBoxWidth);
    m_boxes[i] = box;
    if (!field.label.empty()) {
      // A label with the boxes that follow it, above them; its access key goes to the first.
      auto* labelled = new QVBoxLayout;
      auto* label = new QLabel(Text(field.label), group);
      label->setBuddy(box);
      labelled->addWidget(label);
      boxes = new QHBoxLayout;
      boxes->addStretch();  // the boxes stand at the left, under the label's start
      labelled->addLayout(boxes);
      row->insertLayout(row->count() - 1, labelled);
    }
    boxes->insertWidget(boxes->count() - 1, box);
  }

  QPushButton* btnOK = AddOkCancel(*this, group);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  connect(btnOK, &QPushButton::clicked, this, &TfrmEditHeader::btnOKClick);
}

void TfrmEditHeader::Fill(const level::LevelHeader& header) {
  const HeaderTexts texts = HeaderToTexts(header);
  for (std::size_t i = 0; i < texts.size(); ++i) m_boxes[i]->setText(Text(texts[i]));
  m_boxes[0]->setFocus();
}

HeaderTexts TfrmEditHeader::Texts() const {
  HeaderTexts texts;
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = m_boxes[i]->text().toStdString();
  return texts;
}

void TfrmEditHeader::btnOKClick() {
  if (const auto invalid = FirstInvalidField(Texts())) {
    m_ui.ShowMessage(platform::BoxKind::Error, FieldErrorText(*invalid));
    QLineEdit* box = m_boxes[static_cast<std::size_t>(*invalid)];
    box->setFocus();
    box->selectAll();
    return;
  }
  accept();
}

void TfrmEditHeader::Edit(editing::Editor& editor) {
  const level::LevelHeader original = editor.Level().header;
  Fill(original);
  if (exec() != QDialog::Accepted || FirstInvalidField(Texts())) return;
  StoreHeader(editor, HeaderFromTexts(original, Texts()));
}

}  // namespace kx::properties
