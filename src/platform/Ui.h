#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kx::platform {

/// The kinds of message box: titled "Warning", "Error", "Information", "Confirm", or a plain
/// box without icon titled with the application's title.
enum class BoxKind { Warning, Error, Information, Confirm, Plain };

/// The answer to a question with Yes, No and Cancel.
enum class YesNoCancel { Yes, No, Cancel };

/// What the new-project dialog returned when it closed with OK.
struct NewProjectAnswer {
  enum class Kind { NewProject, UserGob2 };
  Kind kind = Kind::UserGob2;
  std::string levelName;  // edtName, "Start a new project" only
  std::string jklName;    // edtJKL
  std::string gob2Name;   // edtGOB2
  std::string userGob2;   // edtUserGOB2: the user archive's path
};

/// What the open-project dialog closed with: open the highlighted entry (OK, or a double click),
/// or take it off the list (Remove).
struct ProjectChoice {
  enum class Action { Open, Remove };
  /// An index alone opens that entry, so that a scripted answer stays short.
  ProjectChoice(int openIndex) : index(openIndex) {}
  ProjectChoice(Action what, int entry) : action(what), index(entry) {}
  Action action = Action::Open;
  int index = -1;
  bool operator==(const ProjectChoice&) const = default;
};

/// Everything the logic needs from the user interface. The shell implements it with Qt; tests
/// use a scripted fake. Logic never includes a Qt header: it reaches the user only through this.
class Ui {
public:
  virtual ~Ui() = default;

  /// A message box with one OK button.
  virtual void ShowMessage(BoxKind kind, const std::string& text) = 0;
  /// A "Confirm" box with Yes and No; true exactly for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  /// A "Confirm" box with Yes, No and Cancel; closing it without a choice is Cancel.
  virtual YesNoCancel AskYesNoCancel(const std::string& text) = 0;
  /// A note that interrupts nothing (a name that was not found, records the reader skipped):
  /// the editor keeps it in its Messages panel, the tool prints it. Dropped by default.
  virtual void Note(const std::string& text) { (void)text; }

  /// The shared progress window: set its caption, its group caption and the bar's range
  /// 0..maximum with the position at 0, then show it.
  virtual void ProgressBegin(const std::string& caption, const std::string& groupCaption,
                             int maximum) = 0;
  virtual void ProgressSetMaximum(int maximum) = 0;
  /// The item label (lblFilename).
  virtual void ProgressSetItem(const std::string& text) = 0;
  virtual void ProgressSetPosition(int position) = 0;
  virtual void ProgressEnd() = 0;

  /// Lets the window system process pending events; cheap enough to call once per line.
  virtual void ProcessEvents() = 0;
  virtual void SetBusyCursor(bool busy) = 0;

  /// The main window's caption.
  virtual void SetMainCaption(const std::string& caption) = 0;

  /// The new-project dialog; nullopt when it closed with Cancel.
  virtual std::optional<NewProjectAnswer> AskNewProject() = 0;
  /// The JKL chooser for an archive with several levels: the highlighted entry, or nullopt when
  /// none is highlighted when it closes.
  virtual std::optional<int> ChooseJkl(const std::vector<std::string>& jklNames) = 0;
  /// The open-project dialog: the highlighted entry and whether OK or Remove closed it; nullopt
  /// when it closed with Cancel.
  virtual std::optional<ProjectChoice> ChooseProject(
      const std::vector<std::string>& levelNames) = 0;
};

/// Shows the busy cursor for its lifetime.
class BusyCursor {
public:
  explicit BusyCursor(Ui& ui) : m_ui(ui) { m_ui.SetBusyCursor(true); }
  ~BusyCursor() { m_ui.SetBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

private:
  Ui& m_ui;
};

/// Shows the progress window for its lifetime, so that it is hidden again when an operation
/// stops on an error.
class ProgressSession {
public:
  ProgressSession(Ui& ui, const std::string& caption, const std::string& groupCaption,
                  int maximum)
      : m_ui(ui) {
    m_ui.ProgressBegin(caption, groupCaption, maximum);
  }
  ~ProgressSession() { m_ui.ProgressEnd(); }
  ProgressSession(const ProgressSession&) = delete;
  ProgressSession& operator=(const ProgressSession&) = delete;

private:
  Ui& m_ui;
};

}  // namespace kx::platform
