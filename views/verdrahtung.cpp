#include "verdrahtung.h"

#include <QAction>
#include <QLineEdit>
#include <QTextEdit>

#include "acquisition/speichern.h"
#include "main/aufnahme.h"
#include "main/datenauswertung.h"
#include "main/form1.h"
#include "main/hauptzustand.h"
#include "main/messdatei.h"
#include "main/programm.h"
#include "views/ansichtenzustand.h"
#include "views/grafikfenster.h"
#include "views/grafiklogik.h"
#include "views/messbeschreibung.h"

namespace pv {

namespace {

// Owns the graph window, made on first use, for the main window's lifetime;
// the measurement description stops reading the main window with it.
class Ansichtenhalter : public QObject {
 public:
  explicit Ansichtenhalter(QObject* eltern) : QObject(eltern) {}
  ~Ansichtenhalter() override {
    delete grafik_;
    messbeschreibungQuelleSetzen({});
  }
  FormGRAFIK& grafik() {
    if (!grafik_) grafik_ = new FormGRAFIK;
    return *grafik_;
  }

 private:
  FormGRAFIK* grafik_ = nullptr;
};

// The y title as the main window keeps it while the quantity is typed.
void yTitelNachfuehren(const Form1& f) {
  const QString einheit = f.TextEinheit->text();
  const QString groesse = f.TextPhysGr->text();
  grafikParameter().YTitel = einheit.isEmpty() ? groesse : groesse + QStringLiteral(" (") + einheit + u')';
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
}

void ansichtenAnschliessen(Programm& programm) {
  Form1& f = programm.form1();
  auto* halter = new Ansichtenhalter(&f);

  grafikParameterAusEinstellungen(hauptmodul().einstellungen);
  auto beenden = std::move(f.beendenAnfrage);
  f.beendenAnfrage = [beenden] {
    grafikParameterInEinstellungen(hauptmodul().einstellungen);
    if (beenden) beenden();
  };

  messbeschreibungQuelleSetzen([&f] {
    return Messbeschreibung{f.TextMessBezeichnung->text(), f.TextPhysGr->text(), f.TextZeichen->text(),
                            f.TextEinheit->text(), f.TextKommentar->toPlainText()};
  });
  grafikParameter().Titel = f.TextMessBezeichnung->text();
  yTitelNachfuehren(f);
  QObject::connect(f.TextMessBezeichnung, &QLineEdit::textChanged, halter,
                   [](const QString& text) { grafikParameter().Titel = text; });
  QObject::connect(f.TextPhysGr, &QLineEdit::textChanged, halter, [&f] { yTitelNachfuehren(f); });

  programm.datenauswertung().grafikWerte = grafikWerteUebernehmen;

  f.MGrafik->setEnabled(true);
  QObject::connect(f.MGrafik, &QAction::triggered, halter, [halter] { halter->grafik().Zeigen(); });

  grafikVorfuehren(programm, *halter);
}

}  // namespace pv
