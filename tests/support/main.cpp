#include <QApplication>
#include <gtest/gtest.h>

#include "common/zahlen.h"

// Tests run with a real (offscreen) application object so that widgets,
// timers and event loops behave as in the program, and with the C library's
// numbers set as the program sets them.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  pv::cZahlenFestlegen();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
