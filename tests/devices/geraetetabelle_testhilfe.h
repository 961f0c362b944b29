#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

#include "common/cp1252.h"
#include "common/parameter.h"
#include "devices/geraetetabelle.h"
#include "support/testhilfe.h"

namespace pvtest {

// Records what the device table asks of the "Messgerät" menu.
class FakeGeraeteMenue : public pv::GeraeteMenue {
 public:
  void menueNeuAufbauen(const QStringList& namen) override { aufbauten.push_back(namen); }
  void mnuMessgeraete_Click(int16_t index) override { klicks.push_back(index); }
  Bearbeitet geraeteEditorOeffnen(const QString& name) override {
    return editor ? editor(name) : Bearbeitet{};
  }

  // The device editor: what it saved for the named device.
  std::function<Bearbeitet(const QString&)> editor;

  std::vector<QStringList> aufbauten;
  std::vector<int16_t> klicks;
};

// A current-generation device file: header, a few key lines, the name and
// the "Menü" value, CR LF line ends, Windows-1252, the empty last line the
// editor leaves.
inline QByteArray geraetedatei(const QString& name, const QString& menue) {
  const QStringList zeilen = {
      QStringLiteral("[Pelvaron Gerätedatei Version 3.1]"),
      QStringLiteral("Bezeichnung=") + name,
      QStringLiteral("Geräteart=0"),
      QStringLiteral("Datenstringlänge=14"),
      QStringLiteral("Schnittstellenparameter=1200,n,7,2"),
      QStringLiteral("Spezial="),
      QStringLiteral("Menü=") + menue,
  };
  return pv::zuCp1252(zeilen.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\n"));
}

// A program folder with device files and a fresh device table.
class Geraeteordner : public Programmumgebung {
 public:
  Geraeteordner() { pv::geraeteZustand() = pv::GeraeteZustand{}; }
  ~Geraeteordner() { pv::geraeteZustand() = pv::GeraeteZustand{}; }

  void geraet(const QString& datei, const QString& name, const QString& menue = QStringLiteral("0")) {
    schreibe(datei, geraetedatei(name, menue));
  }
  QString wert(const QString& datei, const QString& schluessel) const {
    return Tolvek::ParameterLesen(QString(), pfad(datei), schluessel);
  }
  QStringList tabellenNamen() const {
    QStringList namen;
    const auto& g = pv::geraeteZustand().Geraete;
    for (size_t i = 1; i < g.size(); ++i) namen << g[i].Bezeichnung;
    return namen;
  }
  QStringList texte() const {
    QStringList t;
    for (const auto& b : meldungen.boxen) t << b.text;
    return t;
  }
};

}  // namespace pvtest
