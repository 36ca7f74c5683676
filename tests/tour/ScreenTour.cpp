// Walks the editor window through opening a project and every mode and view, taking a
// screenshot of the whole screen with ImageMagick's import after each step, so that the window
// can be looked at as a user sees it. Not a test: run it under Xvfb with the xcb platform.
//   kx_screen_tour OUT_DIR ARCHIVE.gob
#include "shell/QtText.h"
#include "shell/QtUi.h"
#include "shell/TfrmMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <iostream>
#include <string>

namespace {

namespace fs = std::filesystem;
using kx::platform::BoxKind;

fs::path g_out;
int g_shot = 0;

void Settle(int milliseconds = 400) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void Shot(const std::string& name) {
  Settle();
  char number[16];
  std::snprintf(number, sizeof number, "%02d-", ++g_shot);
  const fs::path file = g_out / (number + name + ".png");
  QProcess::execute("/usr/bin/import", {"-window", "root", QString::fromStdString(file.string())});
  std::cout << "shot " << file.string() << '\n';
}

// The window's own Ui for everything but the modal steps, which it shows without blocking,
// photographs and answers.
class TourUi final : public kx::platform::Ui {
 public:
  explicit TourUi(QWidget* main, std::string archive)
      : m_ui(main), m_main(main), m_archive(std::move(archive)) {}

  void ShowMessage(BoxKind kind, const std::string& text) override {
    std::cout << "box: " << text << '\n';
    auto box = kx::shell::MakeMessageBox(kind, text, m_main);
    box->show();
    Shot("box");
    box->close();
  }
  bool AskYesNo(const std::string&) override { return true; }
  void ProgressBegin(const std::string& caption, const std::string& group, int maximum) override {
    m_ui.ProgressBegin(caption, group, maximum);
    m_progressItems = 0;
  }
  void ProgressSetMaximum(int maximum) override { m_ui.ProgressSetMaximum(maximum); }
  void ProgressSetItem(const std::string& text) override {
    m_ui.ProgressSetItem(text);
    if (++m_progressItems == 3 && !m_progressShot) {
      m_progressShot = true;
      m_ui.ProcessEvents();
      Shot("progress");
    }
  }
  void ProgressSetPosition(int position) override { m_ui.ProgressSetPosition(position); }
  void ProgressEnd() override { m_ui.ProgressEnd(); }
  void ProcessEvents() override { m_ui.ProcessEvents(); }
  void SetBusyCursor(bool busy) override { m_ui.SetBusyCursor(busy); }
  void SetMainCaption(const std::string& caption) override { m_ui.SetMainCaption(caption); }
  std::optional<kx::platform::NewProjectAnswer> AskNewProject() override {
    auto& dialog = m_ui.NewProjectDialog();
    dialog.show();
    auto* user = dialog.findChild<QRadioButton*>("rdbUserGOB2");
    QTest::mouseClick(user, Qt::LeftButton, {}, QPoint(6, user->height() / 2));
    dialog.findChild<QLineEdit*>("edtUserGOB2")->setText(QString::fromStdString(m_archive));
    Shot("new-project-dialog");
    dialog.hide();
    return dialog.Answer();
  }
  std::optional<int> ChooseJkl(const std::vector<std::string>&) override { return 0; }
  std::optional<int> ChooseProject(const std::vector<std::string>&) override { return 0; }

 private:
  kx::shell::QtUi m_ui;
  QWidget* m_main;
  std::string m_archive;
  int m_progressItems = 0;
  bool m_progressShot = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::cerr << "usage: kx_screen_tour OUT_DIR ARCHIVE.gob\n";
    return 1;
  }
  g_out = argv[1];
  fs::create_directories(g_out / "prog");

  QWidget owner;  // holds the tour's dialogs
  TourUi ui(&owner, argv[2]);
  kx::shell::TfrmMain window(&ui, g_out / "prog");
  window.show();
  Settle();  // the start-up box is photographed as it shows
  Shot("empty-window");

  const auto trigger = [&](const char* name) { window.findChild<QAction*>(name)->trigger(); };
  trigger("mnuNewProject");
  Shot("surface-top-as-opened");
  trigger("mnuZoomToFit");
  Shot("surface-top-fit");

  QWidget* map = window.findChild<QWidget*>("imgMap");
  const QPoint middle = map->rect().center();
  QTest::mouseClick(map, Qt::LeftButton, {}, middle);
  Shot("surface-click-in-the-middle");
  QTest::mousePress(map, Qt::LeftButton, {}, QPoint(map->width() / 5, map->height() / 5));
  QTest::mouseMove(map, QPoint(map->width() * 3 / 5, map->height() * 3 / 4));
  Shot("surface-rubber-band");
  QTest::mouseRelease(map, Qt::LeftButton, {}, QPoint(map->width() * 3 / 5, map->height() * 3 / 4));
  Shot("surface-box-selected");

  trigger("mnuVertex");
  Shot("vertex-mode");
  QTest::mousePress(map, Qt::LeftButton, {}, QPoint(map->width() / 3, map->height() / 3));
  QTest::mouseMove(map, QPoint(map->width() * 2 / 3, map->height() * 2 / 3));
  QTest::mouseRelease(map, Qt::LeftButton, {}, QPoint(map->width() * 2 / 3, map->height() * 2 / 3));
  Shot("vertex-box-selected");
  trigger("mnuSector");
  QTest::mouseClick(map, Qt::LeftButton, {}, middle);
  Shot("sector-mode-click");
  trigger("mnuThing");
  Shot("thing-mode");
  trigger("mnuFront");
  trigger("mnuZoomToFit");
  Shot("thing-front-fit");
  trigger("mnuRight");
  trigger("mnuZoomToFit");
  trigger("mnuSurface");
  Shot("surface-right-fit");
  trigger("mnuTop");
  QTest::keyClick(window.findChild<QLineEdit*>("edtKeybHandler"), Qt::Key_Plus, Qt::KeypadModifier);
  Shot("surface-top-zoomed-in");
  window.resize(1200, 900);
  Shot("surface-top-larger-window");
  window.hide();
  return 0;
}
