#include "exportfenster.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWindow>
#include <exception>

#include "common/allgemein.h"
#include "common/balken.h"
#include "common/fehlerbehandlung.h"
#include "common/fensterplatz.h"
#include "common/laufzeitfehler.h"
#include "common/sanduhr.h"
#include "common/textdatei.h"
#include "common/textpruefung.h"
#include "common/tolvek.h"
#include "main/hauptzustand.h"
#include "common/dateiauswahl.h"
#include "views/tabellenfenster.h"
#include "views/tabellenkalkulation.h"

namespace pv {

namespace {

// How often a running export lets events through (repaint, "Abbrechen").
constexpr qint64 kEreignisAbstandMs = 25;

// The error handler's label of the OK click; the apostrophes belong to it.
const QString kOkLabel = QStringLiteral("'TabExp -> OKButton'");

void ablehnungZeigen(const Ablehnung& a) { Tolvek::meldungen().hinweis(a.text, a.symbol, a.titel); }

}  // namespace

ExportFenster::ExportFenster(const QString& ziel, const TabellenFenster* tabelle, QWidget* parent,
                             Dateiauswahl* auswahl)
    : QDialog(parent), ExportZiel(ziel), auswahl_(auswahl), tabelle_(tabelle) {
  setWindowTitle(QStringLiteral("Export"));
  ereignisseVerarbeiten = [] { QCoreApplication::processEvents(); };
  dateiOeffnen = [](const QString& pfad) { return Tolvek::DateiStarten(pfad); };

  auto* spalte = new QVBoxLayout(this);

  Frame1 = new QGroupBox(QStringLiteral("Messwerte"), this);
  auto* bereich = new QGridLayout(Frame1);
  Option1 = new QRadioButton(QStringLiteral("alle"), Frame1);
  Option2 = new QRadioButton(QStringLiteral("Von"), Frame1);
  Option1->setChecked(true);
  txtVon = new QLineEdit(QStringLiteral(" "), Frame1);
  Label1 = new QLabel(QStringLiteral("bis"), Frame1);
  txtBis = new QLineEdit(QStringLiteral(" "), Frame1);
  Label2 = new QLabel(QStringLiteral("Schrittweite:"), Frame1);
  txtStep = new QLineEdit(QStringLiteral("1"), Frame1);
  bereich->addWidget(Option1, 0, 0);
  bereich->addWidget(Option2, 1, 0);
  bereich->addWidget(txtVon, 1, 1);
  bereich->addWidget(Label1, 1, 2);
  bereich->addWidget(txtBis, 1, 3);
  bereich->addWidget(Label2, 2, 0);
  bereich->addWidget(txtStep, 2, 1);
  spalte->addWidget(Frame1);

  auto* dezimal = new QHBoxLayout;
  lblDezimalzeichen = new QLabel(QStringLiteral("Dezimalzeichen:"), this);
  comboDezimalzeichen = new QComboBox(this);
  comboDezimalzeichen->addItems({QStringLiteral(","), QStringLiteral(".")});
  dezimal->addWidget(lblDezimalzeichen);
  dezimal->addWidget(comboDezimalzeichen);
  dezimal->addStretch();
  spalte->addLayout(dezimal);

  frameTrennzeichen = new QGroupBox(QStringLiteral("Trennzeichen"), this);
  auto* trenner = new QGridLayout(frameTrennzeichen);
  const QString namen[] = {QStringLiteral("Tabstop"), QStringLiteral("Semikolon"), QStringLiteral("Komma"),
                           QStringLiteral("Leerzeichen"), QStringLiteral("Anderes")};
  for (int i = 0; i < 5; ++i) {
    optTrennzeichen[i] = new QRadioButton(namen[i], frameTrennzeichen);
    trenner->addWidget(optTrennzeichen[i], i, 0);
    connect(optTrennzeichen[i], &QRadioButton::clicked, this, [this, i] {
      txtTrennzeichen->setEnabled(i == 4);
      if (i == 4) txtTrennzeichen->setFocus();
    });
  }
  optTrennzeichen[0]->setChecked(true);
  txtTrennzeichen = new QLineEdit(frameTrennzeichen);
  txtTrennzeichen->setEnabled(false);
  // The separator is written into the file: only what its code page holds.
  speicherbarBegrenzen(txtTrennzeichen);
  trenner->addWidget(txtTrennzeichen, 4, 1);
  spalte->addWidget(frameTrennzeichen);

  Frame2 = new QGroupBox(QStringLiteral("Fortschritt"), this);
  auto* fortschritt = new QHBoxLayout(Frame2);
  ExPrBar = new Balkenanzeige(Frame2);
  ProzLab = new QLabel(QStringLiteral("0 %"), Frame2);
  fortschritt->addWidget(ExPrBar, 1);
  fortschritt->addWidget(ProzLab);
  spalte->addWidget(Frame2);

  auto* knoepfe = new QHBoxLayout;
  OKButton = new QPushButton(QStringLiteral("&OK"), this);
  AbbrButton = new QPushButton(QStringLiteral("&Abbrechen"), this);
  OKButton->setDefault(true);
  knoepfe->addStretch();
  knoepfe->addWidget(OKButton);
  knoepfe->addWidget(AbbrButton);
  spalte->addLayout(knoepfe);

  connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
  connect(AbbrButton, &QPushButton::clicked, this, [this] { AbbrButton_Click(); });
  // Pressing the button already asks a running export to stop.
  connect(AbbrButton, &QPushButton::pressed, this, [this] { ExportAbbrechen = 1; });
  connect(Option1, &QRadioButton::clicked, this, [this] {
    VonIndex = 1;
    BisIndex = hauptmodul().messdaten.m;
  });
  connect(Option2, &QRadioButton::clicked, this, [this] { txtVon->setFocus(); });
  txtVon->installEventFilter(this);
  txtBis->installEventFilter(this);
  for (QLineEdit* feld : {txtVon, txtBis, txtStep}) ganzzahlfeld(feld);

  // Presets.
  const Hauptmodul& h = hauptmodul();
  const bool datei = ExportZiel == QStringLiteral("Datei");
  frameTrennzeichen->setEnabled(datei);
  OKButton->setEnabled(datei || ExportZiel == QStringLiteral("Excel"));
  fortschrittZeigen(0);
  std::optional<TabellenFelder> felder;
  if (tabelle && h.TabelleOffen) felder = tabelle->felder();
  const ExportVorgaben v = exportVorgaben(h.messdaten.m, felder, h.Dezimaltrennzeichen);
  (v.alle ? Option1 : Option2)->setChecked(true);
  txtVon->setText(v.von);
  txtBis->setText(v.bis);
  txtStep->setText(v.schritt);
  comboDezimalzeichen->setCurrentIndex(h.Dezimaltrennzeichen == u',' ? 0 : 1);
  Tolvek::FensterEinpassen(*this);
}

QString ExportFenster::nichtGeoeffnetText(const QString& pfad) {
  return QStringLiteral("Die Messwerte wurden in die Datei '%1' geschrieben.\r\n"
                        "Es konnte kein Programm gestartet werden, das sie öffnet.")
      .arg(QDir::toNativeSeparators(pfad));
}

QString ExportFenster::schreibfehlerText(const QString& pfad) {
  return QStringLiteral("Die Datei '%1' konnte nicht geschrieben werden.\r\n"
                        "Der Export kann nicht durchgeführt werden.")
      .arg(pfad);
}

void ExportFenster::Topmost(bool ein) {
  try {
    // Set on the native window, so the dialog is not hidden and shown
    // again (which would end its modal loop).
    if (QWindow* fenster = windowHandle()) fenster->setFlag(Qt::WindowStaysOnTopHint, ein);
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("TabExp -> Topmost"), fehler);
  }
}

Trennzeichenwahl ExportFenster::trennzeichenwahl() const {
  for (int i = 0; i < 5; ++i) {
    if (optTrennzeichen[i]->isChecked()) return static_cast<Trennzeichenwahl>(i);
  }
  return Trennzeichenwahl::Tabstop;
}

void ExportFenster::OKButton_Click() {
  const bool datei = ExportZiel == QStringLiteral("Datei");
  if (laeuft_ || (!datei && ExportZiel != QStringLiteral("Excel"))) return;
  const Hauptmodul& h = hauptmodul();
  const int32_t m = h.messdaten.m;
  if (m == 0) {
    ablehnungZeigen(keineMesswerteZumExport());
    entladenAusfuehren();
    return;
  }
  Topmost(true);
  ExportAbbrechen = 0;
  Bereich bereich;
  if (Option1->isChecked()) {
    // "alle" ignores the step field.
    txtVon->setText(QStringLiteral("1"));
    txtBis->setText(QString::number(m));
    bereich = Bereich{1, m, 1};
  } else {
    const Bereichspruefung p =
        exportbereichPruefen(txtVon->text(), txtBis->text(), txtStep->text(), m, h.Dezimaltrennzeichen);
    if (!p.gueltig()) {
      ablehnungZeigen(p.ablehnung);
      if (p.ablehnung.fokus == Eingabefeld::Bis) txtBis->setFocus();
      Topmost(false);
      return;
    }
    bereich = *p.bereich;
  }
  VonIndex = bereich.von;
  BisIndex = bereich.bis;
  try {
    if (datei)
      dateiExport(bereich);
    else
      tabellenkalkulationExport(bereich);
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(kOkLabel, fehler);
    Topmost(false);
  }
}

void ExportFenster::dateiExport(const Bereich& bereich) {
  const Hauptmodul& h = hauptmodul();
  const QString pfad =
      dateiErfragen(QStringLiteral("Textdatei (*.txt);;Textdatei (*.dat)"), QStringLiteral("txt"));
  if (pfad.isEmpty()) {  // cancelled: nothing written, the dialog stays
    Topmost(false);
    return;
  }

  ExportOptionen o;
  static_cast<Exportformat&>(o) = exportformat(bereich);
  o.trennzeichen = trennzeichen(trennzeichenwahl(), txtTrennzeichen->text());
  TextExportLauf lauf(h.messdaten, aktuelleMessbeschreibung(), o);

  laufen(lauf, bereich);

  if (!dateiErsetzen(pfad, lauf.bytes())) return schreibfehler(pfad);
  normalesEnde();
}

void ExportFenster::tabellenkalkulationExport(const Bereich& bereich) {
  if (const std::optional<Ablehnung> a = tabellenkalkulationGrenzePruefen(bereich)) {
    ablehnungZeigen(*a);
    txtStep->setFocus();
    Topmost(false);
    return;
  }
  const Hauptmodul& h = hauptmodul();
  const Einstellungen& e = h.einstellungen;
  const QString pfad = dateiErfragen(QStringLiteral("Excel-Arbeitsmappe (*.xlsx)"), QStringLiteral("xlsx"));
  if (pfad.isEmpty()) {  // cancelled: nothing written, the dialog stays
    Topmost(false);
    return;
  }

  TabellenkalkulationOptionen o;
  static_cast<Exportformat&>(o) = exportformat(bereich);
  o.zeitKopf = e.XBezeichnung;
  o.wertKopf = tabelle_ ? tabelle_->modell()->zelle(0, 2) : QString();
  TabellenkalkulationLauf lauf(pfad, h.messdaten, o);
  // A cancelled export keeps the rows written so far: the file is finished
  // and opened all the same.
  laufen(lauf, bereich);
  if (!lauf.schliessen()) return schreibfehler(pfad);
  normalesEnde();
  if (!dateiOeffnen || !dateiOeffnen(pfad))
    Tolvek::meldungen().hinweis(nichtGeoeffnetText(pfad), Symbol::Information);
}

template <typename Lauf>
void ExportFenster::laufen(Lauf& lauf, const Bereich& bereich) {
  // From here until the file is written the dialog must stay: OK is off,
  // closing only asks the loop to stop.
  laeuft_ = true;
  OKButton->setEnabled(false);
  struct Aufraeumen {
    ExportFenster* f;
    Sanduhr sanduhr{};
    ~Aufraeumen() {
      sanduhr.aus();
      f->laeuft_ = false;
      f->OKButton->setEnabled(true);
    }
  } aufraeumen{this};

  QElapsedTimer uhr;
  bool erstes = true;
  while (!lauf.fertig()) {
    if (erstes || uhr.elapsed() >= kEreignisAbstandMs) {
      erstes = false;
      if (ereignisseVerarbeiten) ereignisseVerarbeiten();
      uhr.start();
    }
    if (ExportAbbrechen == 1) break;
    if (bereich.von != bereich.bis) fortschrittZeigen(lauf.fortschritt());
    lauf.weiter();
  }
}

void ExportFenster::schreibfehler(const QString& pfad) {
  // The user is told which file failed; the log keeps it like any other
  // failure of the export.
  Tolvek::FehlerProtokollieren(kOkLabel, Laufzeitfehler::kPfadZugriff,
                               QStringLiteral("Fehler beim Zugriff auf Pfad/Datei: ") + pfad);
  Tolvek::meldungen().hinweis(schreibfehlerText(pfad), Symbol::Kritisch);
  Topmost(false);
}

void ExportFenster::normalesEnde() {
  Topmost(false);
  ExportZiel.clear();
  entladenAusfuehren();
}

QString ExportFenster::dateiErfragen(const QString& filter, const QString& endung) {
  const Hauptmodul& h = hauptmodul();
  const QString vorschlag =
      h.messdaten.Messung.isEmpty() ? QStringLiteral("Messung1") : h.messdaten.Messung;
  Dateiauswahl& auswahl = auswahl_ ? *auswahl_ : dateiauswahl();
  // Starts where the measurements are; the folder chosen here is not
  // remembered for them.
  QString ordner = h.einstellungen.OrdnerMessungen;
  return auswahl.dateiZumSchreiben(this, QStringLiteral("Export"), ordner, vorschlag, filter, endung);
}

Exportformat ExportFenster::exportformat(const Bereich& bereich) const {
  const Hauptmodul& h = hauptmodul();
  const Einstellungen& e = h.einstellungen;
  Exportformat f;
  f.bereich = bereich;
  const QString gewaehlt = comboDezimalzeichen->currentText();
  f.dezimalzeichen = gewaehlt.isEmpty() ? h.Dezimaltrennzeichen : gewaehlt.at(0);
  f.systemDezimalzeichen = h.Dezimaltrennzeichen;
  f.xCode = e.XZahlenformatnummer;
  f.xNachkommastellen = e.XNachkommastellen;
  f.yCode = e.YZahlenformatnummer;
  f.yNachkommastellen = e.YNachkommastellen;
  f.messStart = Tolvek::zustand().MessStartDatumZeit;
  return f;
}

void ExportFenster::fortschrittZeigen(int32_t prozent) {
  if (prozent == angezeigt_) return;
  angezeigt_ = prozent;
  Tolvek::FortschrittZeigen(ExPrBar, static_cast<float>(prozent), hauptmodul().Dezimaltrennzeichen);
  ProzLab->setText(QString::number(prozent) + QStringLiteral(" %"));
}

void ExportFenster::AbbrButton_Click() {
  ExportAbbrechen = 1;
  // A running export closes the dialog itself once it has stopped.
  if (!laeuft_) entladenAusfuehren();
}

void ExportFenster::entladenAusfuehren() {
  entladen_ = true;
  done(QDialog::Rejected);
}

void ExportFenster::reject() { AbbrButton_Click(); }

void ExportFenster::closeEvent(QCloseEvent* ereignis) {
  if (laeuft_) {
    ExportAbbrechen = 1;
    ereignis->ignore();
    return;
  }
  entladen_ = true;
  QDialog::closeEvent(ereignis);
}

bool ExportFenster::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::MouseButtonPress) {
    if (objekt == txtVon) {
      Option2->setChecked(true);
    } else if (objekt == txtBis) {
      Option2->setChecked(true);
      txtBis->setFocus();
    }
  }
  return QDialog::eventFilter(objekt, ereignis);
}

}  // namespace pv
