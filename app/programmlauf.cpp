#include "programmlauf.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "common/anwendung.h"
#include "common/beendensignale.h"
#include "common/programmordner.h"
#include "common/x11/fensterrahmen_x11.h"
#include "main/hauptzustand.h"
#include "main/programm.h"
#include "views/verdrahtung.h"

namespace pv {

int programmLaufen(int& argc, char** argv, const std::function<void(Programm&)>& gestartet) {
  const auto anwendung = anwendungErstellen(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Pelvaron"));
  QApplication::setApplicationVersion(QStringLiteral(PELVARON_VERSION));
  // The main window decides about closing; the last window closing does not.
  QApplication::setQuitOnLastWindowClosed(false);
  Tolvek::X11RahmenmeldungenSetzen();

  // Standard dialogs speak German like the rest of the program.
  QTranslator qtDeutsch;
  if (qtDeutsch.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtDeutsch);
  }

  Programmordner::ausUmgebungBestimmen();

  Programm programm(QApplication::arguments(), QLocale::system(), [&programm] {
    // Ends the event loops, those of open dialogs included; code that keeps
    // running without going back to one cannot hold the process.
    QApplication::exit(programm.endeStatus());
    spaetestensBeenden(std::chrono::seconds(5), programm.endeStatus());
  });
  // The system's end cannot wait for an answer: it ends without a box.
  Beendensignale signale([&programm] { programm.OhneRueckfrageBeenden(); }, std::chrono::seconds(10));
  zwangsendeWerte(&hauptmodul().messdaten.m, &hauptmodul().WerteGesichert);
  Sitzungsende sitzung(*anwendung, [&programm] { programm.SitzungSichern(); },
                       [&programm] { programm.OhneRueckfrageBeenden(); });

  if (!programm.starten()) return programm.endeStatus();
  // The views need the settings the start-up has read.
  ansichtenAnschliessen(programm);
  // Made once the start-up and the views have set up what it reads and
  // writes (the views give back the graph's settings): static objects made
  // after it are gone by the time it runs. An end that finds nothing
  // written exits with 1 whatever the code it was called with.
  Notausgang notausgang([&programm] {
    programm.ProzessendeSichern();
    if (programm.endeStatus() == 0) return;
    std::fflush(nullptr);
    std::_Exit(programm.endeStatus());
  });
  if (gestartet) gestartet(programm);
  if (programm.beendet()) return programm.endeStatus();
  return QApplication::exec();
}

}  // namespace pv
