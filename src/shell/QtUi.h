#pragma once

#include "platform/EventPacer.h"
#include "platform/Ui.h"
#include "project/TfrmNewProject.h"
#include "project/TfrmOpenProject.h"
#include "project/TfrmSelectJKL.h"
#include "shell/TfrmUngobing.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace kx::shell {

/// The message box of a kind: titled "Warning", "Error", "Information" or "Confirm" with the
/// kind's icon, or, for a plain box, titled with the application's title and without icon. A
/// CR in the text is a line break. Confirm boxes have Yes and No, the others OK.
std::unique_ptr<QMessageBox> MakeMessageBox(platform::BoxKind kind, const std::string& text,
                                            QWidget* parent);

/// The Ui of the editor window: modal message boxes, the progress window TfrmUngobing, the
/// busy cursor, and the project dialogs, each created once and reused. Pending events are let
/// run at most every 16 ms, and never user input, so that a long read runs at full speed, its
/// window still repaints, and no second command starts inside it.
class QtUi final : public platform::Ui {
 public:
  /// mainWindow owns the dialogs and receives the caption; it must outlive this.
  explicit QtUi(QWidget* mainWindow);
  ~QtUi() override;

  void ShowMessage(platform::BoxKind kind, const std::string& text) override;
  /// Hands the note to the sink set with SetNoteSink (the Messages panel); dropped without one.
  void Note(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  platform::YesNoCancel AskYesNoCancel(const std::string& text) override;
  void ProgressBegin(const std::string& caption, const std::string& groupCaption,
                     int maximum) override;
  void ProgressSetMaximum(int maximum) override;
  void ProgressSetItem(const std::string& text) override;
  void ProgressSetPosition(int position) override;
  void ProgressEnd() override;
  void ProcessEvents() override;
  void SetBusyCursor(bool busy) override;
  void SetMainCaption(const std::string& caption) override;
  std::optional<platform::NewProjectAnswer> AskNewProject() override;
  std::optional<int> ChooseJkl(const std::vector<std::string>& jklNames) override;
  std::optional<platform::ProjectChoice> ChooseProject(
      const std::vector<std::string>& levelNames) override;

  void SetNoteSink(std::function<void(const std::string&)> sink) { m_noteSink = std::move(sink); }

  TfrmUngobing& ProgressWindow() { return *m_progress; }
  project::TfrmNewProject& NewProjectDialog() { return *m_newProject; }
  project::TfrmSelectJKL& SelectJklDialog() { return *m_selectJkl; }
  project::TfrmOpenProject& OpenProjectDialog() { return *m_openProject; }

 private:
  void ShowPendingProgress();
  void RunPendingEvents();

  QWidget* m_mainWindow;
  // Created in the order the program creates its dialogs at start-up; owned by mainWindow.
  QPointer<project::TfrmNewProject> m_newProject;
  QPointer<project::TfrmSelectJKL> m_selectJkl;
  QPointer<TfrmUngobing> m_progress;
  QPointer<project::TfrmOpenProject> m_openProject;
  platform::EventPacer m_pacer;
  std::function<void(const std::string&)> m_noteSink;
  // The item and position of the progress window as the operation last set them; shown when
  // events next run.
  QString m_item;
  int m_position = 0;
  bool m_progressDirty = false;
  int m_busyDepth = 0;
};

}  // namespace kx::shell
