#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/dateiauswahl.h"
#include "common/eingabebox.h"
#include "common/hauptfenster.h"
#include "common/meldungen.h"

namespace pvtest {

// Records every message box and answers from a queue (default: the box's
// default button).
class FakeMeldungen : public pv::Meldungen {
 public:
  struct Box {
    QString text;
    QString titel;
    pv::Knoepfe knoepfe;
    pv::Symbol symbol;
    pv::Antwort standard;
  };

  pv::Antwort zeigen(const QString& text, const QString& titel, pv::Knoepfe knoepfe,
                     pv::Symbol symbol, pv::Antwort standard) override;

  std::vector<Box> boxen;
  std::deque<pv::Antwort> antworten;
  // Runs while a box is "open" (to test re-entry from inside a box).
  std::function<void()> waehrendBox;
  // Boxes behave as under a window manager: the box takes the activation
  // from the active window while it is open, and the window is activated
  // again once the box has closed (posted, as the window system's event
  // arrives after the box has returned).
  bool fensterverwaltung = false;
};

// Records every input box and answers from a queue (default: cancelled, an
// empty text).
class FakeEingaben : public pv::Eingaben {
 public:
  struct Frage {
    QString aufforderung;
    QString titel;
    QString vorgabe;
  };
  QString fragen(const QString& aufforderung, const QString& titel, const QString& vorgabe,
                 const QString&) override {
    fragen_.push_back({aufforderung, titel, vorgabe});
    if (antworten.empty()) return {};
    QString a = antworten.front();
    antworten.pop_front();
    return a;
  }
  std::vector<Frage> fragen_;
  std::deque<QString> antworten;
};

class FakeHauptfenster : public pv::Hauptfenster {
 public:
  void ProgrammBeenden() override { ++aufrufe; }
  void SofortBeenden() override { ++sofortBeendet; }
  int aufrufe = 0;
  int sofortBeendet = 0;
};

// Answers every file dialog with `antwort` (empty: cancelled) and notes the
// folder each one started in and the name each save dialog offered.
struct FakeDateiauswahl : pv::Dateiauswahl {
  QString oeffnen(QWidget*, const QString&, const QString& start, const QString&) override {
    gestartetIn << start;
    return antwort;
  }
  QString speichern(QWidget*, const QString&, const QString& start, const QString& vorschlag, const QString&,
                    const QString&) override {
    gestartetIn << start;
    vorschlaege << vorschlag;
    return antwort;
  }
  QString antwort;
  QStringList gestartetIn, vorschlaege;
};

// A fresh, empty program folder for one test, installed as the program
// folder and removed afterwards; message and input boxes go to fakes meanwhile.
class Programmumgebung {
 public:
  Programmumgebung();
  ~Programmumgebung();
  QString pfad(const QString& name = {}) const;
  void schreibe(const QString& name, const QByteArray& inhalt) const;
  QByteArray lies(const QString& name) const;

  FakeMeldungen meldungen;
  FakeEingaben eingaben;
  FakeHauptfenster hauptfenster;

 private:
  QTemporaryDir ordner_;
  QString vorher_;
};

// The C library in the German locale, as the application object sets it for
// a German user, with the numbers then set as the program sets them at
// start; the locale before is put back afterwards. gesetzt() is false when
// the German locale is not installed.
class DeutschesGebietsschema {
 public:
  DeutschesGebietsschema();
  ~DeutschesGebietsschema();
  DeutschesGebietsschema(const DeutschesGebietsschema&) = delete;
  DeutschesGebietsschema& operator=(const DeutschesGebietsschema&) = delete;
  bool gesetzt() const { return gesetzt_; }

 private:
  std::string vorher_;
  bool gesetzt_ = false;
};

// A file from tests/daten.
QString testdatei(const QString& name);

}  // namespace pvtest
