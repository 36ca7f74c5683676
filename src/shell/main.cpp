// The Kelvarix editor: the splash window, then the main window and the event loop.
#include "shell/TfrmMain.h"
#include "shell/TfrmSplash.h"
#include "shell/ToolGlyphs.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The user's data folder (used when the program's own folder is not writable) is named
  // after these.
  QApplication::setOrganizationName("Orbandel");
  QApplication::setApplicationName("Kelvarix");
  QApplication::setWindowIcon(kx::shell::ApplicationIcon());
  QGuiApplication::setDesktopFileName("kelvarix");

  kx::shell::TfrmMain window;
  {
    kx::shell::TfrmSplash splash;
    splash.exec();
  }
  window.show();
  return QApplication::exec();
}
