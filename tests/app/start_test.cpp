// The application set-up under a German user's environment. A program of
// its own: the application object exists once per process, and the
// environment must be German before it is made.
#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>
#include <cstdio>

#include "common/anwendung.h"

namespace {

bool deutschesGebietsschema = false;

// printf-style writers (the spreadsheet library) keep writing "." into
// files, while the program's own texts show the user's decimal comma.
TEST(Anwendung, CLibraryNumbersStayPlainWhileTheUsersCommaIsShown) {
  if (!deutschesGebietsschema) GTEST_SKIP() << "German locale not installed";
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", 20.1);
  EXPECT_STREQ(text, "20.1");
  EXPECT_EQ(QLocale::system().decimalPoint(), QStringLiteral(","));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  // A German desktop session's environment.
  qunsetenv("LC_ALL");
  qunsetenv("LC_NUMERIC");
  qputenv("LANG", "de_DE.UTF-8");
  deutschesGebietsschema = std::setlocale(LC_ALL, "") != nullptr;
  const auto anwendung = pv::anwendungErstellen(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
