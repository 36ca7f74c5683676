// The main of the Qt test program: a QApplication for the widget and painting tests. Without a
// display (also while ctest lists the tests) Qt's offscreen platform is used.
#include <QApplication>

#include <gmock/gmock.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
