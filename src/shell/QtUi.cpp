#include "shell/QtUi.h"

#include "platform/AppInfo.h"
#include "project/TfrmNewProject.h"
#include "project/TfrmOpenProject.h"
#include "project/TfrmSelectJKL.h"
#include "shell/QtText.h"
#include "shell/TfrmUngobing.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace kx::shell {

using platform::BoxKind;

std::unique_ptr<QMessageBox> MakeMessageBox(BoxKind kind, const std::string& text,
                                            QWidget* parent) {
  QString title;
  auto icon = QMessageBox::NoIcon;
  switch (kind) {
    case BoxKind::Warning:
      title = "Warning";
      icon = QMessageBox::Warning;
      break;
    case BoxKind::Error:
      title = "Error";
      icon = QMessageBox::Critical;
      break;
    case BoxKind::Information:
      title = "Information";
      icon = QMessageBox::Information;
      break;
    case BoxKind::Confirm:
      title = "Confirm";
      icon = QMessageBox::Question;
      break;
    case BoxKind::Plain:
      title = DisplayText(platform::kApplicationTitle);
      break;
  }
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(title);
  box->setIcon(icon);
  box->setTextFormat(Qt::PlainText);
  box->setText(DisplayText(text));
  if (kind == BoxKind::Confirm) {
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
  } else {
    box->setStandardButtons(QMessageBox::Ok);
  }
  return box;
}

QtUi::QtUi(QWidget* mainWindow)
    : m_mainWindow(mainWindow),
      m_newProject(new project::TfrmNewProject(mainWindow)),
      m_selectJkl(new project::TfrmSelectJKL(mainWindow)),
      m_progress(new TfrmUngobing(mainWindow)),
      m_openProject(new project::TfrmOpenProject(mainWindow)) {}

QtUi::~QtUi() {
  // A command that ends while the window closes must not leave the program in the busy cursor.
  while (m_busyDepth > 0) SetBusyCursor(false);
}

void QtUi::ShowMessage(BoxKind kind, const std::string& text) {
  auto box = MakeMessageBox(kind, text, m_mainWindow);
  box->exec();
}

void QtUi::Note(const std::string& text) {
  if (m_noteSink) m_noteSink(text);
}

bool QtUi::AskYesNo(const std::string& text) {
  auto box = MakeMessageBox(BoxKind::Confirm, text, m_mainWindow);
  return box->exec() == QMessageBox::Yes;
}

platform::YesNoCancel QtUi::AskYesNoCancel(const std::string& text) {
  auto box = MakeMessageBox(BoxKind::Confirm, text, m_mainWindow);
  box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  box->setEscapeButton(QMessageBox::Cancel);
  switch (box->exec()) {
    case QMessageBox::Yes:
      return platform::YesNoCancel::Yes;
    case QMessageBox::No:
      return platform::YesNoCancel::No;
    default:
      return platform::YesNoCancel::Cancel;
  }
}

void QtUi::ProgressBegin(const std::string& caption, const std::string& groupCaption, int maximum) {
  m_item.clear();
  m_position = 0;
  m_progressDirty = true;
  m_progress->Begin(DisplayText(caption), DisplayText(groupCaption), maximum);
  if (!m_progress->isVisible()) {
    const QScreen* screen =
        m_mainWindow ? m_mainWindow->screen() : QGuiApplication::primaryScreen();
    if (screen) {
      m_progress->move(screen->availableGeometry().center() - m_progress->rect().center());
    }
  }
  m_progress->show();
  m_progress->raise();
  RunPendingEvents();
}

void QtUi::ProgressSetMaximum(int maximum) {
  m_progress->SetMaximum(maximum);
}

void QtUi::ProgressSetItem(const std::string& text) {
  m_item = DisplayText(text);
  m_progressDirty = true;
}

void QtUi::ProgressSetPosition(int position) {
  if (position == m_position) return;
  m_position = position;
  m_progressDirty = true;
}

void QtUi::ProgressEnd() {
  ShowPendingProgress();
  m_progress->hide();
}

void QtUi::ProcessEvents() {
  if (m_pacer.Due(platform::EventPacer::Clock::now())) RunPendingEvents();
}

void QtUi::ShowPendingProgress() {
  if (!m_progressDirty) return;
  m_progressDirty = false;
  m_progress->SetItem(m_item);
  m_progress->SetPosition(m_position);
}

void QtUi::RunPendingEvents() {
  ShowPendingProgress();
  // Input waits for the end of the command: a click on a menu now would start a second command
  // on a level that is half read.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  m_pacer.Restart(platform::EventPacer::Clock::now());
}

void QtUi::SetBusyCursor(bool busy) {
  if (busy) {
    ++m_busyDepth;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (m_busyDepth > 0) {
    --m_busyDepth;
    QApplication::restoreOverrideCursor();
  }
}

void QtUi::SetMainCaption(const std::string& caption) {
  if (m_mainWindow) m_mainWindow->setWindowTitle(DisplayText(caption));
}

std::optional<platform::NewProjectAnswer> QtUi::AskNewProject() {
  if (m_newProject->exec() != QDialog::Accepted) return std::nullopt;
  return m_newProject->Answer();
}

std::optional<int> QtUi::ChooseJkl(const std::vector<std::string>& jklNames) {
  m_selectJkl->Fill(jklNames);
  m_selectJkl->exec();
  return m_selectJkl->Highlighted();
}

std::optional<platform::ProjectChoice> QtUi::ChooseProject(
    const std::vector<std::string>& levelNames) {
  m_openProject->Fill(levelNames);
  const int result = m_openProject->exec();
  const auto highlighted = m_openProject->Highlighted();
  if (!highlighted) return std::nullopt;
  if (result == QDialog::Accepted) return *highlighted;
  if (result == project::TfrmOpenProject::kRemoveResult) {
    return platform::ProjectChoice(platform::ProjectChoice::Action::Remove, *highlighted);
  }
  return std::nullopt;
}

}  // namespace kx::shell
