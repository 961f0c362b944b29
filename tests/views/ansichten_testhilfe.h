#pragma once

#include <QString>

#include "acquisition/speichern.h"
#include "main/hauptzustand.h"
#include "support/testhilfe.h"
#include "views/messbeschreibung.h"

namespace pvtest {

// A recording control that does nothing: the storing step's other side.
struct StilleAufnahme : pv::Aufzeichnungsziel {
  void StopButton_Click() override {}
  bool ZwischenSpeichern() override { return true; }
  bool Sicherheitsdatei() override { return true; }
  void MessungBeendetMelden(bool, bool) override {}
  void MessungAbbrechen(const QString&, int, const QString&) override {}
  void AnzahlSetzen(const QString&) override {}
  QString EndeText() const override { return {}; }
  void EndeTextSetzen(const QString&) override {}
};

// The shared state the views read, fresh for one test: a program folder
// with fake message boxes, empty main state, a fixed measurement
// description, and everything put back afterwards.
class Ansichtenumgebung {
 public:
  Ansichtenumgebung() {
    pv::hauptmodul() = pv::Hauptmodul{};
    pv::Einstellungen& e = pv::hauptmodul().einstellungen;
    e.XZahlenformatnummer = 10;
    e.XNachkommastellen = 2;
    e.YZahlenformatnummer = 0;
    e.YNachkommastellen = 3;
    e.XBezeichnung = QStringLiteral("Zeit (s)");
    pv::messbeschreibungQuelleSetzen([this] { return beschreibung; });
  }
  ~Ansichtenumgebung() {
    pv::messbeschreibungQuelleSetzen({});
    pv::hauptmodul() = pv::Hauptmodul{};
  }

  // Values 1..n with x = (i - 1) / 2 s and y = 10 * i.
  static void messungMit(int n) {
    pv::Messdaten& d = pv::hauptmodul().messdaten;
    d.leeren();
    for (int i = 1; i <= n; ++i) d.anhaengen(static_cast<float>(i - 1) / 2.0f, 10.0f * static_cast<float>(i));
  }

  pv::Messbeschreibung beschreibung{QStringLiteral("Versuch"), QStringLiteral("Spannung"), QStringLiteral("U"),
                                    QStringLiteral("V"), QString()};
  Programmumgebung programm;
};

}  // namespace pvtest
