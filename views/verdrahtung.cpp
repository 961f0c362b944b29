#include "verdrahtung.h"

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>

#include "acquisition/speichern.h"
#include "main/aufnahme.h"
#include "main/bedienung.h"
#include "main/dateimenue.h"
#include "main/datenauswertung.h"
#include "main/form1.h"
#include "main/hauptzustand.h"
#include "main/messdatei.h"
#include "main/programm.h"
#include "main/verbindung.h"
#include "views/ansichtenzustand.h"
#include "views/einstellungsfenster.h"
#include "views/displayneu.h"
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
    delete display_;
    delete grafik_;
    delete tabelle_;
    messbeschreibungQuelleSetzen({});
  }
  FormGRAFIK& grafik() {
    if (!grafik_) grafik_ = new FormGRAFIK;
    return *grafik_;
  }
  TabellenFenster& tabelle() {
    if (!tabelle_) {
      tabelle_ = new TabellenFenster;
      tabelle_->optionenSetzen([this] { einstellungenZeigen(tabelle_); });
    }
    return *tabelle_;
  }
  const TabellenFenster* vorhandeneTabelle() const { return tabelle_; }
  // The large display is made afresh each time it is opened; it deletes
  // itself when closed.
  DisplayNeu& display() {
    if (!display_) display_ = new DisplayNeu;
    return *display_;
  }

 private:
  QPointer<DisplayNeu> display_;
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
  FormGRAFIK& grafik = halter.grafik();
  grafik.Zeigen();
  // PELVARON_GRAFIK_ZEIGEN: "zoom" zooms into the middle and sets the
  // cross-hair there, "einstellungen" and "drucken" open those dialogs.
  const QString zeigen = qEnvironmentVariable("PELVARON_GRAFIK_ZEIGEN");
  QTimer::singleShot(1000, &grafik, [&grafik, zeigen] {
    if (zeigen == QLatin1String("einstellungen")) grafik.MOptionen_Click();
    if (zeigen == QLatin1String("drucken")) grafik.MGrDruck_Click();
    if (zeigen != QLatin1String("zoom")) return;
    const Grafikbereich g = grafik.GRAF->flaeche().letzteGrafik;
    const float bx = g.XMax - g.XMin;
    const float by = g.YMax - g.YMin;
    grafik.maus.zoom = {g.XMin + bx / 8, g.XMin + bx / 2, g.YMax - by / 8, g.YMin + by / 8};
    grafik.ZoomAusfuehren();
    const Grafikbereich& z = grafik.GRAF->flaeche().letzteGrafik;
    grafik.GRAF_MouseDown(kMausLinks, QPointF(z.XMin + (z.XMax - z.XMin) / 3, z.YMin));
    grafik.GRAF_MouseUp(kMausLinks);
  });
}

// Developers: with PELVARON_DISPLAY set, the large display opens right after
// the start and the current device is connected, so its values show at once.
void displayVorfuehren(Programm& programm) {
  if (qEnvironmentVariableIsEmpty("PELVARON_DISPLAY")) return;
  QTimer::singleShot(0, &programm.form1(), [&programm] {
    programm.form1().MDSPL->trigger();
    programm.verbindung().CommandPort_Click();
  });
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

  f.MOptionen->setEnabled(true);
  QObject::connect(f.MOptionen, &QAction::triggered, halter, [&f] { einstellungenZeigen(&f); });
  f.MDSPL->setEnabled(true);
  QObject::connect(f.MDSPL, &QAction::triggered, halter, [halter] { halter->display().Zeigen(); });

  f.MTabelle->setEnabled(true);
  QObject::connect(f.MTabelle, &QAction::triggered, halter, [halter] { halter->tabelle().Zeigen(); });
  programm.aufnahme().tabelleLeeren = [halter] { halter->tabelle().Leeren(); };
  // The tool tips reach the table window too (made hidden for them); the
  // start-up set those of the main window before the views were attached.
  programm.bedienung().tabellenfenster = [halter] { return &halter->tabelle(); };
  if (hauptmodul().einstellungen.ToolTippsSetzen) programm.bedienung().ToolTippsSetzen(1);
  programm.dateimenue().exportOeffnen = [halter, &f] {
    ExportFenster fenster(QStringLiteral("Datei"), halter->vorhandeneTabelle(), &f);
    fenster.exec();
  };

  grafikVorfuehren(programm, *halter);
  displayVorfuehren(programm);
}

}  // namespace pv
