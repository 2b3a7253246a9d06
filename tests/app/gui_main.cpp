// Test entry for the window tests: they need a QApplication (offscreen).
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  // Whatever a window test writes (settings, the recovery file, a publishing
  // journal) lands in a home of this process's own, never among the user's
  // files, and nothing one run leaves behind reaches the next: a journal left
  // by an earlier build's run would otherwise be sent by this one.
  QTemporaryDir home;
  if (home.isValid()) qputenv("HOME", home.path().toUtf8());
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
