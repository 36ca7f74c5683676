#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;

namespace kx::platform {
class Ui;
}

namespace kx::editing {

/// The extrude dialog ("Extrude"): asks for the distance a surface is extruded, in level units,
/// in a box named "Distance". OK closes it only when the box holds a number greater than 0;
/// otherwise an "Error" box says why and the box keeps the focus.
class TfrmExtrude final : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmExtrude(platform::Ui& ui, QWidget* parent = nullptr);

  /// Shows the dialog modally with distance in the box; the distance typed when it closes with
  /// OK, none for Cancel.
  std::optional<double> Ask(const std::string& distance);

 private:
  void btnOKClick();
  std::optional<double> Typed() const;

  platform::Ui& m_ui;
  QLineEdit* m_edtDistance;
};

}  // namespace kx::editing
