#include <gtest/gtest.h>

#include "common/anwendung.h"

// Tests run with the application object made as the program makes it (on
// the offscreen platform), so that widgets, timers, event loops and the C
// library's numbers behave as in the program.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  const auto anwendung = pv::anwendungErstellen(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
