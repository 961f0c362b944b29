#include <QApplication>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QTranslator>

#include "common/meldungen.h"
#include "common/programmordner.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Pelvaron"));
  QApplication::setApplicationVersion(QStringLiteral("3.1.0"));

  // Standard dialogs speak German like the rest of the program.
  QTranslator qtDeutsch;
  if (qtDeutsch.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtDeutsch);
  }

  pv::Programmordner::ausUmgebungBestimmen();

  QMainWindow fenster;
  fenster.setWindowTitle(pv::kAnwendungstitel);
  fenster.resize(800, 600);
  fenster.show();
  return QApplication::exec();
}
