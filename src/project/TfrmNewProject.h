#pragma once

#include "platform/Ui.h"

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kx::project {

/// The new-project dialog ("New JK Project"): start a new project from a level name, a JKL name
/// and a GOB2 name, or open a user's GOB2 archive. OK is enabled only for valid input. Created
/// once and reused; it keeps what was typed last.
class TfrmNewProject final : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmNewProject(QWidget* parent = nullptr);

  /// What the dialog holds, as it returns it after OK.
  platform::NewProjectAnswer Answer() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void rdbNewClick();
  void rdbUserGOB2Click();
  void ValidateNewProject();
  void ValidateUserGob2();
  void edtGOB2Exit();
  void btnBrowseClick();
  void btnOKClick();

  QRadioButton* m_rdbNew;
  QRadioButton* m_rdbUserGOB2;
  QRadioButton* m_rdbLucasArts;
  QGroupBox* m_grpNewProject;
  QGroupBox* m_grpUserGOB2;
  QLineEdit* m_edtName;
  QLineEdit* m_edtJKL;
  QLineEdit* m_edtGOB2;
  QLineEdit* m_edtUserGOB2;
  QPushButton* m_btnOK;
};

}  // namespace kx::project
