#include "verdrahtung.h"

#include <QAction>
#include <QLineEdit>
#include <QTextEdit>

#include "acquisition/speichern.h"
#include "main/aufnahme.h"
#include "main/dateimenue.h"
#include "main/datenauswertung.h"
#include "main/form1.h"
#include "main/hauptzustand.h"
#include "main/messdatei.h"
#include "main/programm.h"
#include "views/ansichtenzustand.h"
#include "views/exportfenster.h"
#include "views/grafikfenster.h"
#include "views/grafiklogik.h"
#include "views/messbeschreibung.h"
#include "views/tabellenfenster.h"

namespace pv {

namespace {

// Owns the graph and table windows, made on first use, for the main
// window's lifetime; the measurement description stops reading the main
// window with it.
class Ansichtenhalter : public QObject {
 public:
  explicit Ansichtenhalter(QObject* eltern) : QObject(eltern) {}
  ~Ansichtenhalter() override {
    delete grafik_;
    delete tabelle_;
    messbeschreibungQuelleSetzen({});
  }
  FormGRAFIK& grafik() {
    if (!grafik_) grafik_ = new FormGRAFIK;
    return *grafik_;
  }
  TabellenFenster& tabelle() {
    if (!tabelle_) tabelle_ = new TabellenFenster;
    return *tabelle_;
  }
  const TabellenFenster* vorhandeneTabelle() const { return tabelle_; }

 private:
  FormGRAFIK* grafik_ = nullptr;
  TabellenFenster* tabelle_ = nullptr;
};

// The y title as the main window keeps it while the quantity is typed.
void yTitelNachfuehren(const Form1& f) {
  const Messtexte t = f.messtexte();
  grafikParameter().YTitel = yTitel(t.PhysGr, t.Zeichen, t.Einheit, hauptmodul().einstellungen.YBezeichnung);
}

// Developers: opens a measurement file and shows it in the graph window.
void grafikVorfuehren(Programm& programm, Ansichtenhalter& halter) {
  const QString datei = qEnvironmentVariable("PELVARON_GRAFIK");
  if (datei.isEmpty()) return;
  Hauptmodul& h = hauptmodul();
  Messtexte texte = programm.aufnahme().messtexte();
  if (!MessungEinlesen(datei, h.MessungLaeuft, h.messdaten, texte).gelesen()) return;
  programm.aufnahme().messtexteSetzen(texte);
  halter.grafik().Zeigen();
}

}  // namespace

void grafikWerteUebernehmen(Speichereinstellungen& s) {
  const GrafikEinstellungen& p = grafikParameter();
  s.XMin = p.XMin;
  s.XMax = p.XMax;
  s.YMin = p.YMin;
  s.YMax = p.YMax;
  s.MesspunkteAnzeigen = p.MesspunkteAnzeigen;
  s.Messpunktgroesse = p.Messpunktgroesse;
  s.MesswerteVerbunden = p.MesswerteVerbunden;
  s.Liniendicke = p.Liniendicke;
  s.FarbeMesskurve = p.FarbeMesskurve;
  s.gezeichneterBereich = [] {
    const GrafikEinstellungen& q = grafikParameter();
    return std::array<float, 4>{q.XMin, q.XMax, q.YMin, q.YMax};
  };
}

void ansichtenAnschliessen(Programm& programm) {
  Form1& f = programm.form1();
  auto* halter = new Ansichtenhalter(&f);

  grafikParameterAusEinstellungen(hauptmodul().einstellungen);
  programm.vorDemSichern = [](Einstellungen& e) { grafikParameterInEinstellungen(e); };

  messbeschreibungQuelleSetzen([&f] {
    const Messtexte t = f.messtexte();
    return Messbeschreibung{t.MessBezeichnung, t.PhysGr, t.Zeichen, t.Einheit, t.Kommentar};
  });
  grafikParameter().Titel = f.messtexte().MessBezeichnung;
  yTitelNachfuehren(f);
  QObject::connect(&f, &Form1::TitelGeaendert, halter, [](const QString& text) { grafikParameter().Titel = text; });
  QObject::connect(&f, &Form1::GroesseGeaendert, halter, [&f] { yTitelNachfuehren(f); });

  programm.datenauswertung().grafikWerte = grafikWerteUebernehmen;

  f.MGrafik->setEnabled(true);
  QObject::connect(f.MGrafik, &QAction::triggered, halter, [halter] { halter->grafik().Zeigen(); });

  f.MTabelle->setEnabled(true);
  QObject::connect(f.MTabelle, &QAction::triggered, halter, [halter] { halter->tabelle().Zeigen(); });
  programm.aufnahme().tabelleLeeren = [halter] { halter->tabelle().Leeren(); };
  programm.dateimenue().exportOeffnen = [halter, &f] {
    ExportFenster fenster(QStringLiteral("Datei"), halter->vorhandeneTabelle(), &f);
    fenster.exec();
  };

  grafikVorfuehren(programm, *halter);
}

}  // namespace pv
