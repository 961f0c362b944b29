#include "programm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <cstdio>

#include "acquisition/erfassungszustand.h"
#include "acquisition/seriellerport.h"
#include "common/allgemein.h"
#include "common/beendensignale.h"
#include "common/fehlerbehandlung.h"
#include "common/laufzeitfehler.h"
#include "common/meldungen.h"
#include "common/programmordner.h"
#include "common/sperrbesitzer.h"
#include "common/tolvek.h"
#include "devices/gereigen.h"
#include "devices/geraeteliste.h"
#include "main/einstellungsdatei.h"
#include "main/form1.h"
#include "main/form1einstellungen.h"
#include "main/hauptzustand.h"
#include "main/ordnersperre.h"
#include "main/sicherung.h"
#include "main/startform.h"
#include "main/startlogik.h"
#include "main/verbindung.h"
#include "main/aufnahme.h"
#include "main/datenauswertung.h"
#include "main/dateimenue.h"
#include "main/bedienung.h"
#include "main/sensorwahl.h"
#include "devices/sensordatei.h"
#include "acquisition/usbmultimeter.h"
#include "common/cp1252.h"
#include "main/werkseinstellungen.h"

namespace pv {

namespace {

// While it lives, boxes are answered with their default button and not
// shown: the system's end must not wait for a user.
class OhneMeldungen : public Meldungen {
 public:
  OhneMeldungen() : vorher_(Tolvek::zustand().meldungen) { Tolvek::zustand().meldungen = this; }
  ~OhneMeldungen() override { Tolvek::zustand().meldungen = vorher_; }
  OhneMeldungen(const OhneMeldungen&) = delete;
  OhneMeldungen& operator=(const OhneMeldungen&) = delete;
  Antwort zeigen(const QString&, const QString&, Knoepfe, Symbol, Antwort standard) override { return standard; }

 private:
  Meldungen* vorher_;
};

const QString kEndeLabel = QStringLiteral("Form1 -> SofortBeenden");

// A line for whoever started the program, when an end without a box could
// not write something.
void standardfehlerMelden(const QString& text) {
  std::fprintf(stderr, "Pelvaron: %s\n", text.toLocal8Bit().constData());
  std::fflush(stderr);
}

QString einstellungenNichtGeschriebenText(const QString& ordner) {
  return QStringLiteral("Die Einstellungen konnten nicht in die Datei %1 geschrieben werden.")
      .arg(QDir::toNativeSeparators(QDir(ordner).filePath(kIniDatei)));
}

// At an end without a box the terminal shows at most "^C".
QString amEndeGesichertText(const QString& datei) {
  return QStringLiteral("Das Programm wurde beendet; die Messwerte sind in %1 gesichert.")
      .arg(QDir::toNativeSeparators(datei));
}

}  // namespace

Programm::Programm(QStringList argumente, QLocale locale, std::function<void()> beenden)
    : kommandozeilenDatei_(kommandozeilenPfad(argumente)),
      locale_(std::move(locale)),
      beenden_(std::move(beenden)),
      form1_(std::make_unique<Form1>()) {
  form1_->beendenAnfrage = [this] { ProgrammBeenden(); };
  form1_->geraetGewaehlt = [this](int16_t index) { mnuMessgeraete_Click(index); };
  form1_->geraetelisteOeffnen = [this] { MGerHinLoe_Click(); };
  form1_->messgeraetBearbeiten = [this] { MMessgeraet_Click(); };
  verbindung_ = new Verbindung(*form1_);
  aufnahme_ = new Aufnahme(*form1_, *verbindung_);
  dateimenue_ = new Dateimenue(*form1_, *aufnahme_);
  bedienung_ = new Hauptfensterbedienung(*form1_, *verbindung_);
  datenauswertung_ = std::make_unique<Datenauswertung>(*form1_, *verbindung_, *aufnahme_);
  sensorwahl_ = std::make_unique<Sensorwahl>(*form1_);
  verbindung_->DatensatzAuswerten = [this](const QByteArray& satz) { datenauswertung_->DatensatzAuswerten(satz); };
  verbindung_->usbLesen = [] { return zuCp1252(usbMultimeter().M3890DLesen(erfassungsmodul().zustand.LZAscii)); };
  if (!kommandozeilenDatei_.isEmpty()) kommandozeilenDatei_ = QDir::current().absoluteFilePath(kommandozeilenDatei_);
  Tolvek::zustand().hauptfenster = this;
  endeZuruecksetzen();
}

Programm::~Programm() {
  if (Tolvek::zustand().hauptfenster == this) Tolvek::zustand().hauptfenster = nullptr;
}

bool Programm::starten() {
  StartForm start(QApplication::applicationVersion());
  bool abgebrochen = false;
  QEventLoop warten;
  QObject::connect(&start, &StartForm::abgebrochen, &start, [&] {
    abgebrochen = true;
    warten.quit();
  });
  start.show();
  start.Label4->setVisible(true);
  start.repaint();
  QApplication::processEvents();

  form1_->hide();
  // The program may have been told to end while the start-up's boxes or the
  // splash let events run.
  if (!FormLaden() || abgebrochen || beendet()) return false;

  // Two seconds with the splash in front, counted from the end of the start-up.
  QTimer::singleShot(2000, &warten, &QEventLoop::quit);
  warten.exec();
  if (abgebrochen || beendet()) return false;

  start.Label4->setVisible(false);
  form1_->show();
  return true;
}

bool Programm::ordnerSperren() {
  sperre_ = std::make_unique<Ordnersperre>(Programmordner::pfad());
  sperrdateiMerken(sperre_->datei());
  // Set before the question: an end that comes meanwhile saves apart too.
  hauptmodul().Sicherungsordner = sperre_->sicherungsordner();
  if (!sperre_->weitereKopie()) return true;
  return Tolvek::meldungen().zeigen(weitereKopieFrage(Programmordner::pfad(), *sperre_),
                                    kAnwendungstitel, Knoepfe::JaNein, Symbol::Ausruf, Antwort::Nein) == Antwort::Ja;
}

bool Programm::frueheSchritte() {
  Hauptmodul& h = hauptmodul();
  const QString ordner = Programmordner::pfad();
  Tolvek::zustand().Hilfedatei = hilfedateiWaehlen(ordner);
  QDir::setCurrent(ordner);

  const QString trenner = dezimaltrennzeichenAusLocale(locale_);
  if (trenner.isEmpty()) {
    Tolvek::meldungen().hinweis(
        QStringLiteral("Die Systemeinstellungen sind bezüglich des Dezimalzeichens\r\n"
                       "nicht kompatibel mit Pelvaron (nur '.' oder ',' erlaubt). \r\n"
                       "Pelvaron kann nicht ausgeführt werden!"));
    return false;
  }
  h.Dezimaltrennzeichen = trenner.at(0);
  Tolvek::ArbeitsbereichErmitteln();

  h.MessungLaeuft = false;
  h.AufzeichnungAktiv = false;
  h.aufzeichnung = Aufzeichnungsstand{};
  h.DisplayOffen = h.TabelleOffen = h.GrafikFensterOffen = false;
  h.XMaxStart = 300;
  h.Simulation = h.DebugDatei = false;
  erfassungsmodul().zustand.Verbunden = false;
  const QSize flaeche = form1_->GeraetebildFlaeche();
  erfassungsmodul().MessgeraetBildHMax = flaeche.height();
  erfassungsmodul().MessgeraetBildWMax = flaeche.width();
  return true;
}

bool Programm::einstellungenLesen() {
  Hauptmodul& h = hauptmodul();
  Einstellungen& e = h.einstellungen;
  switch (iniLesen(Programmordner::pfad(), h.Dezimaltrennzeichen, e)) {
    case kIniGelesen:
      break;
    case kIniStandard:
      // The program folder is hidden: the dialogs start in the user's own
      // files until a measurement folder is chosen.
      Standardparameter(e, QString());
      break;
    case kIniBeenden:
      return false;
    default:
      Tolvek::meldungen().hinweis(QStringLiteral("Fehler beim Lesen der Initialisierungsdatei.\r\n"
                                                 "Pelvaron kann nicht ausgeführt werden!"));
      return false;
  }
  geraeteZustand().AktuellesMessgeraet = e.AktuellesMessgeraet;
  // Before the processing option is chosen: the sensor option loads this file.
  sensorZustand().Sensordatei = e.Sensordatei;
  sensorZustand().Sensorname = e.Sensorname;
  einstellungenAnwenden(*form1_, e, h.Dezimaltrennzeichen);
  return true;
}

void Programm::aktuellesGeraetPruefen() {
  QString& aktuell = geraeteZustand().AktuellesMessgeraet;
  if (aktuell.isEmpty()) {
    form1_->KeinBildZeigen(true);
    return;
  }
  if (form1_->mnuMessgeraeteNamen().contains(aktuell)) return;
  Tolvek::meldungen().hinweis(
      QStringLiteral("Das zuletzt verwendete Messgerät konnte nicht gefunden werden.\r\n"
                     "Bitte wählen Sie im Menü 'Geräte' ein anderes Messgerät aus! "));
  aktuell.clear();
  form1_->KeinBildZeigen(true);
}

bool Programm::FormLaden() {
  // Told once, before the boxes of the start-up.
  const QString warnung = Programmordner::schreibwarnung(Programmordner::pfad());
  if (!warnung.isEmpty()) Tolvek::meldungen().hinweis(warnung, Symbol::Ausruf);
  if (!ordnerSperren()) return false;
  // A failure in the first steps is asked about once; the user may go on.
  bool problem = false;
  try {
    if (!frueheSchritte()) return false;
  } catch (const std::exception&) {
    problem = true;
  }
  if (problem) {
    const Antwort a = Tolvek::meldungen().zeigen(
        QStringLiteral("Es traten Probleme bei der Initialisierung auf! \r\n"
                       "Das Programm kann möglicherweise nicht fehlerfrei\r\n"
                       "ausgeführt werden."),
        QStringLiteral("Initialisierungsproblem"), Knoepfe::OkAbbrechen, Symbol::Keins, Antwort::Ok);
    if (a != Antwort::Ok) return false;
  }

  if (!einstellungenLesen()) return false;
  einstellungenGelesen_ = true;
  Hauptmodul& h = hauptmodul();
  const Einstellungen& e = h.einstellungen;

  // From here on a failing step is skipped and the start-up goes on.
  const auto schritt = [](auto&& aufruf) {
    try {
      aufruf();
    } catch (const std::exception&) {
    }
  };
  schritt([&] { GeraeteLesen(*this, h.Dezimaltrennzeichen); });
  schritt([&] { aktuellesGeraetPruefen(); });
  schritt([&] { form1_->MCom_Click(static_cast<int16_t>(std::max<int>(e.ComPortNummer, 1))); });
  schritt([&] { bedienung_->nachDemEinlesen(); });
  h.MessungGespeichert = true;
  // A measurement file named on the command line is opened as from the
  // "Datei" menu, with the reader's own messages.
  if (!kommandozeilenDatei_.isEmpty()) schritt([&] { dateimenue_->MessungEinlesen(kommandozeilenDatei_); });
  return true;
}

Beendenlage Programm::beendenlage() const {
  const Hauptmodul& h = hauptmodul();
  Beendenlage lage;
  lage.messungLaeuft = h.MessungLaeuft;
  lage.messungGespeichert = h.MessungGespeichert;
  lage.anzahlWerte = h.messdaten.m;
  return lage;
}

bool Programm::einstellungenSichern() {
  Hauptmodul& h = hauptmodul();
  Einstellungen& e = h.einstellungen;
  einstellungenSammeln(*form1_, e, h.Dezimaltrennzeichen);
  e.AktuellesMessgeraet = geraeteZustand().AktuellesMessgeraet;
  e.Sensordatei = sensorZustand().Sensordatei;
  e.Sensorname = sensorZustand().Sensorname;
  if (vorDemSichern) vorDemSichern(e);
  return iniSichern(Programmordner::pfad(), h.Dezimaltrennzeichen, e);
}

void Programm::ProgrammBeenden() {
  try {
    if (beendet() || !beendenErlaubt(beendenlage(), Tolvek::meldungen())) return;
    // Told to end while its box was open: that end has written everything.
    // Else the end is under way from here, its writing included.
    if (!endeBeginnen()) return;
    einstellungenSichern();
    if (beenden_) beenden_();
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("Form1 -> ProgrammBeenden"), fehler);
  }
}

bool Programm::beendet() const { return endeBegonnen(); }

void Programm::OhneRueckfrageBeenden() { endeOhneMeldung(true); }

void Programm::SofortBeenden() { endeOhneMeldung(false); }

void Programm::SitzungSichern() {
  Hauptmodul& h = hauptmodul();
  if (!beendet() && sichernOhneMeldung({}, true)) h.WerteGesichert = h.messdaten.m;
}

void Programm::endeOhneMeldung(bool mitEinstellungen) {
  if (!endeBeginnen()) {
    // The end under way may wait in a box ("Ende" that could not write the
    // settings): its event loop ends, and the end goes on from there.
    if (beenden_) beenden_();
    return;
  }
  if (!sichernOhneMeldung([this] { aufnahme_->anhaltenOhneMeldung(); }, mitEinstellungen)) endeStatus_ = 1;
  if (beenden_) beenden_();
}

void Programm::ProzessendeSichern() {
  if (endeBeginnen()) {
    if (!sichernOhneMeldung([this] { aufnahme_->anhaltenOhneFenster(); }, true)) endeStatus_ = 1;
  }
  uebergehen([&] { form1_->MSComm1->setPortOpen(false); });
  uebergehen([&] { sperre_.reset(); });
}

bool Programm::sichernOhneMeldung(const std::function<void()>& anhalten, bool mitEinstellungen) {
  OhneMeldungen still;
  const auto schritt = [](auto&& aufruf) {
    try {
      aufruf();
    } catch (const std::exception& fehler) {
      Tolvek::Fehlerbehandlung(kEndeLabel, fehler);
    }
  };
  // What the abort of a recording keeps, and only what would be lost: a
  // stopped and saved measurement leaves the last safety file as it is.
  bool gesichert = true;
  schritt([&] {
    if (!ungespeicherteWerte(beendenlage())) return;
    gesichert = false;
    if (anhalten && hauptmodul().MessungLaeuft) anhalten();
    gesichert = sicherheitsdateiRetten();
  });
  if (mitEinstellungen && einstellungenGelesen_) schritt([&] {
    // No box tells of it here, and the error log may sit in the same folder.
    if (!einstellungenSichern()) standardfehlerMelden(einstellungenNichtGeschriebenText(Programmordner::pfad()));
  });
  return gesichert;
}

bool Programm::sicherheitsdateiRetten() {
  const std::optional<QByteArray> inhalt = aufnahme_->sicherheitsdateiInhalt();
  const Rettung rettung =
      inhalt ? sicherheitsdateiAblegen(*inhalt, {Programmordner::anwendungsdaten(), Programmordner::rettungsbasis()}, ersatzdatei_)
             : Rettung{{}, {sicherungsordner()}};
  if (rettung.datei == sicherungsdatei(kSicherheitsdatei)) {
    // Not at the session's checkpoint, where the recording goes on.
    if (beendet()) standardfehlerMelden(amEndeGesichertText(rettung.datei));
    return true;
  }
  const QString text = sicherheitsdateiAusweichText(rettung);
  standardfehlerMelden(text);
  Tolvek::FehlerProtokollieren(kEndeLabel, Laufzeitfehler::kPfadZugriff, text);
  return !rettung.datei.isEmpty();
}

void Programm::MGerHinLoe_Click() {
  frmGeraeteListe liste(*this, hauptmodul().Dezimaltrennzeichen, form1_.get());
  liste.exec();
}

void Programm::menueNeuAufbauen(const QStringList& namen) { form1_->mnuMessgeraeteNeuAufbauen(namen); }

void Programm::mnuMessgeraete_Click(int16_t index) {
  GeraeteauswahlUmgebung umgebung{*this, *form1_->MSComm1, gerEigen_, erfassungsmodul(),
                                  hauptmodul().Dezimaltrennzeichen};
  pv::mnuMessgeraete_Click(index, umgebung);
}

QString Programm::MenuepunktText(int16_t index) {
  const QStringList namen = form1_->mnuMessgeraeteNamen();
  return index >= 1 && index <= namen.size() ? namen[index - 1] : QString();
}

void Programm::GeraetBearbeiten(const QString& name) { geraeteEditorOeffnen(name); }

GeraeteMenue::Bearbeitet Programm::geraeteEditorOeffnen(const QString& name) {
  // Selecting the saved device again from inside the editor may fail to read
  // it; that never opens a second editor on top of the first.
  if (editorOffen_) return {};
  editorOffen_ = true;
  letzteDatei_.clear();
  Erfassungsmodul& modul = erfassungsmodul();
  GerEigenUmfeld umfeld{gerEigen_, letzteDatei_, modul.GeraetMenueIndex, hauptmodul().Dezimaltrennzeichen, {}, {}, {}};
  umfeld.menuepunktBeschriften = [this](int16_t index, const QString& text) {
    form1_->mnuMessgeraeteBeschriftung(index, text);
  };
  umfeld.mnuMessgeraete_Click = [this](int16_t index) { mnuMessgeraete_Click(index); };
  GerEigen editor(umfeld, QSize(modul.MessgeraetBildWMax, modul.MessgeraetBildHMax), form1_.get());
  editor.GeraetBearbeiten(name);
  editor.exec();
  editorOffen_ = false;
  return {letzteDatei_, gerEigen_.GeraeteNamePub};
}

void Programm::MMessgeraet_Click() {
  try {
    const QString aktuell = geraeteZustand().AktuellesMessgeraet;
    if (aktuell.isEmpty()) {
      Tolvek::meldungen().hinweis(QStringLiteral("Kein Messgerät ausgewählt!"));
      return;
    }
    const qsizetype i = form1_->mnuMessgeraeteNamen().indexOf(aktuell);
    if (i >= 0) erfassungsmodul().GeraetMenueIndex = static_cast<int16_t>(i + 1);
    geraeteEditorOeffnen(aktuell);
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("Form1 -> MMessgerät_Click"), fehler);
  }
}

EinheitLabelMass Programm::EinheitLabelMessen(int label, const QString& breitenText, const QString& hoehenText) {
  const QLabel* l = label == 1 ? form1_->LabelEinheit1 : form1_->LabelEinheit2;
  const QFontMetricsF masse(l->font());
  EinheitLabelMass m;
  m.schriftgroesse = l->font().pointSizeF();
  m.breite = l->width();
  m.hoehe = l->height();
  m.textBreite = masse.horizontalAdvance(breitenText);
  m.textHoehe = masse.boundingRect(hoehenText).height();
  return m;
}

void Programm::EinheitSchriftgroessenSetzen(double groesse1, double groesse2) {
  for (auto [label, groesse] : {std::pair{form1_->LabelEinheit1, groesse1}, std::pair{form1_->LabelEinheit2, groesse2}}) {
    QFont f = label->font();
    f.setPointSizeF(groesse);
    label->setFont(f);
  }
}

void Programm::MessbereichRahmenSetzen(const QString& titel, bool aktiv) {
  form1_->FrameMBmanuell->setTitle(titel);
  form1_->FrameMBmanuell->setEnabled(aktiv);
}

int16_t Programm::BildLaden(const QString& datei, const QString& ausrichtung, int32_t x, int32_t y, int32_t hMax,
                            int32_t wMax) {
  // Relative names are taken from the program folder, the current folder.
  const QString pfad = datei.isEmpty() ? QString() : QDir(Programmordner::pfad()).filePath(datei);
  return form1_->GeraetebildLaden(pfad, ausrichtung, QPoint(x, y), hMax, wMax) ? 1 : 0;
}

void Programm::BildPlatzhalterZeigen(bool zeigen) { form1_->KeinBildZeigen(zeigen); }

void Programm::StatuszeileSetzen(const QString& text) { form1_->StatusSetzen(text); }

void Programm::GeraetAnzeigen(const QString& bezeichnung, const QString& zusammenfassung) {
  form1_->LabelMGBezeichnung->setText(bezeichnung);
  form1_->LabelMessgeraet->setText(zusammenfassung);
}

void Programm::MenueAuswahlSetzen(int16_t index, const QString& text) {
  form1_->mnuMessgeraeteBeschriftung(index, text);
  form1_->mnuMessgeraeteHaken(index);
}

}  // namespace pv
