#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <vector>

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
};

class FakeHauptfenster : public pv::Hauptfenster {
 public:
  void ProgrammBeenden() override { ++aufrufe; }
  int aufrufe = 0;
};

// A fresh, empty program folder for one test, installed as the program
// folder and removed afterwards; message boxes go to a fake meanwhile.
class Programmumgebung {
 public:
  Programmumgebung();
  ~Programmumgebung();
  QString pfad(const QString& name = {}) const;
  void schreibe(const QString& name, const QByteArray& inhalt) const;
  QByteArray lies(const QString& name) const;

  FakeMeldungen meldungen;
  FakeHauptfenster hauptfenster;

 private:
  QTemporaryDir ordner_;
  QString vorher_;
};

// A file from tests/daten.
QString testdatei(const QString& name);

}  // namespace pvtest
