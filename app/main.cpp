#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "common/anwendung.h"
#include "common/programmordner.h"
#include "main/programm.h"
#include "views/verdrahtung.h"

int main(int argc, char** argv) {
  const auto anwendung = pv::anwendungErstellen(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Pelvaron"));
  QApplication::setApplicationVersion(QStringLiteral(PELVARON_VERSION));
  // The main window decides about closing; the last window closing does not.
  QApplication::setQuitOnLastWindowClosed(false);

  // Standard dialogs speak German like the rest of the program.
  QTranslator qtDeutsch;
  if (qtDeutsch.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtDeutsch);
  }

  pv::Programmordner::ausUmgebungBestimmen();

  pv::Programm programm(QApplication::arguments(), QLocale::system(), [] { QApplication::exit(0); });
  if (!programm.starten()) return 0;
  // The views need the settings the start-up has read.
  pv::ansichtenAnschliessen(programm);
  return QApplication::exec();
}
