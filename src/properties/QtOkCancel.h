#pragma once

class QDialog;
class QPushButton;
class QWidget;

namespace kx::properties {

/// Lays dialog out as content over a row of "&OK" (the default button) and "&Cancel" at the
/// right; Cancel closes the dialog with Cancel. Returns OK, whose click the dialog handles.
QPushButton* AddOkCancel(QDialog& dialog, QWidget* content);

}  // namespace kx::properties
