#include "dateimenue.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <algorithm>

#include "common/cp1252.h"
#include "common/dateiauswahl.h"
#include "common/fehlerbehandlung.h"
#include "common/meldungen.h"
#include "common/tolvek.h"
#include "main/aufnahme.h"
#include "main/form1.h"
#include "main/hauptzustand.h"
#include "main/messdatei.h"

namespace pv {

namespace {

QString beschriftung(int nummer, const QString& pfad) {
  return u'&' + QString::number(nummer) + u' ' + pfad;
}

const QString kFilterMessung = QStringLiteral("Pelvaron Messung (*.MES)");
const QString kKeineMesswerte = QStringLiteral("Es liegen keine Messwerte vor!");

// A control character: a line end would cut the settings line short and
// leave another file's path behind; a tab splits a menu entry.
bool hatSteuerzeichen(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

}  // namespace

QString letzteDateiPfad(const QString& beschriftung) {
  const qsizetype blank = beschriftung.indexOf(u' ');
  return blank < 0 ? QString() : beschriftung.mid(blank + 1);
}

QStringList letzteDateienSpeicherbar(const QStringList& beschriftungen) {
  QStringList speicherbar;
  for (qsizetype k = 0; k < beschriftungen.size(); ++k) {
    const QString& b = beschriftungen[k];
    if (!istCp1252(b) || hatSteuerzeichen(b)) continue;
    const qsizetype neu = speicherbar.size();
    speicherbar << (neu == k ? b : beschriftung(static_cast<int>(neu + 1), letzteDateiPfad(b)));
  }
  return speicherbar;
}

QStringList letzteDateienVerwalten(const QStringList& beschriftungen, const QString& datei, int anzahl) {
  QStringList pfade;
  for (const QString& b : beschriftungen) pfade << letzteDateiPfad(b);
  qsizetype gefunden = -1;
  for (qsizetype k = 0; k < pfade.size(); ++k) {
    if (pfade[k].compare(datei, Qt::CaseInsensitive) == 0) gefunden = k;
  }
  if (gefunden >= 0) {
    pfade.removeAt(gefunden);
  } else if (pfade.size() >= anzahl) {
    pfade = pfade.mid(0, std::max(anzahl - 1, 0));
  }
  pfade.prepend(datei);
  QStringList ergebnis;
  for (qsizetype k = 0; k < pfade.size(); ++k) ergebnis << beschriftung(static_cast<int>(k + 1), pfade[k]);
  return ergebnis;
}

Dateimenue::Dateimenue(Form1& form, Aufnahme& aufnahme) : QObject(&form), f_(form), aufnahme_(aufnahme) {
  for (QAction* a : {f_.MMesOeff, f_.MSpeichern, f_.MMesSpUn, f_.MExport}) a->setEnabled(true);
  connect(f_.MMesOeff, &QAction::triggered, this, &Dateimenue::MMesOeff_Click);
  connect(f_.MSpeichern, &QAction::triggered, this, &Dateimenue::MSpeichern_Click);
  connect(f_.MMesSpUn, &QAction::triggered, this, &Dateimenue::MMesSpUn_Click);
  connect(f_.MExport, &QAction::triggered, this, &Dateimenue::MExport_Click);
  f_.letzteDateiGewaehlt = [this](int index) { MLetzte4_Click(index); };
  f_.MessungLabel->setMouseTracking(true);
  f_.MessungLabel->installEventFilter(this);
}

bool Dateimenue::eventFilter(QObject* objekt, QEvent* ereignis) {
  const QEvent::Type art = ereignis->type();
  if (objekt == f_.MessungLabel && (art == QEvent::MouseMove || art == QEvent::Enter || art == QEvent::ToolTip)) {
    MessungLabel_MouseMove();
  }
  return QObject::eventFilter(objekt, ereignis);
}

void Dateimenue::MessungLabel_MouseMove() {
  if (hauptmodul().einstellungen.Tooltipps) {
    f_.MessungLabel->setToolTip(AktuelleDatei);
  } else if (!f_.MessungLabel->toolTip().isEmpty()) {
    f_.MessungLabel->setToolTip(QString());
  }
}

bool Dateimenue::vorOeffnenFragen() {
  // Whatever was opened or saved before, a measurement that is not saved
  // and holds values is asked about.
  const Hauptmodul& h = hauptmodul();
  if (h.MessungGespeichert || h.messdaten.m < 1) return true;
  const Antwort a = Tolvek::meldungen().zeigen(
      QStringLiteral("Die aktuelle Messung ist noch nicht gespeichert!\nMöchten Sie die Messung jetzt speichern?"),
      QStringLiteral("Messung vorher speichern?"), Knoepfe::JaNeinAbbrechen, Symbol::Frage, Antwort::Ja);
  if (a == Antwort::Abbrechen) return false;
  // A save that was cancelled or failed keeps the measurement: no open.
  if (a == Antwort::Ja) return MMesSpUn_Click();
  return true;
}

void Dateimenue::MessungEinlesen(const QString& datei) {
  Hauptmodul& h = hauptmodul();
  Messtexte texte = aufnahme_.messtexte();
  const Leseergebnis r = pv::MessungEinlesen(datei, h.MessungLaeuft, h.messdaten, texte,
                                         [this](const QString& s) { f_.StatusSetzen(s); });
  if (!r.gelesen()) return;
  // The table lists the new measurement when it is next activated; until
  // then it shows no row of the old one.
  if (h.TabelleOffen && aufnahme_.tabelleLeeren) aufnahme_.tabelleLeeren();
  aufnahme_.messtexteSetzen(texte);
  f_.LabelNumMW->setText(QString::number(h.messdaten.m));
  f_.MesBegLabel->setText(messzeitText(h.messdaten.MesBeg));
  f_.MesEndLabel->setText(messzeitText(h.messdaten.MesEnd));
  f_.MessungLabel->setText(messungLabelText(datei));
  LetzteDateienVerwalten(datei);
  h.MessungGespeichert = true;
  h.WerteGesichert = h.messdaten.m;
}

void Dateimenue::MMesOeff_Click() {
  Einstellungen& e = hauptmodul().einstellungen;
  if (!vorOeffnenFragen()) return;
  const QString datei = dateiauswahl().dateiZumLesen(&f_, QStringLiteral("Öffnen"), e.OrdnerMessungen,
                                                     kFilterMessung + QStringLiteral(";;Alle Dateien (*.*)"));
  if (datei.isEmpty()) return;
  AktuelleDatei = datei;
  MessungEinlesen(datei);
}

void Dateimenue::MLetzte4_Click(int index) {
  const QStringList& liste = hauptmodul().einstellungen.LetzteDateien;
  if (index < 1 || index > liste.size()) return;
  // Saving first rewrites the list: the entry clicked is the one opened.
  const QString datei = letzteDateiPfad(liste[index - 1]);
  if (!vorOeffnenFragen()) return;
  AktuelleDatei = datei;
  // A file that is gone is reported by the reader itself.
  MessungEinlesen(AktuelleDatei);
}

bool Dateimenue::MMesSpUn_Click() {
  Hauptmodul& h = hauptmodul();
  Einstellungen& e = h.einstellungen;
  if (h.messdaten.m == 0) {
    Tolvek::meldungen().zeigen(kKeineMesswerte, kAnwendungstitel, Knoepfe::Ok, Symbol::Kritisch, Antwort::Ok);
    return false;
  }
  if (h.messdaten.Messung.isEmpty()) h.messdaten.Messung = QStringLiteral("Messung1");
  const QString datei = dateiauswahl().dateiZumSchreiben(&f_, QStringLiteral("Speichern unter"), e.OrdnerMessungen,
                                                         h.messdaten.Messung, kFilterMessung, QStringLiteral("MES"));
  if (datei.isEmpty()) return false;
  AktuelleDatei = datei;
  if (!aufnahme_.MessungSpeichern(datei)) {
    Tolvek::meldungen().hinweis(QStringLiteral("Beim Speichern der Daten ist ein Fehler aufgetreten!\r\n"
                                               "Bitte überprüfen Sie die Einstellungen und versuchen\r\n"
                                               "Sie es nochmal, da die Daten sonst verloren sein können!"));
    return false;
  }
  h.MessungGespeichert = true;
  feldFarbeSetzen(f_.PicStatStop, kStatusStopRuhe);
  LetzteDateienVerwalten(datei);
  h.messdaten.MessDateiName = datei;
  return true;
}

void Dateimenue::MSpeichern_Click() {
  Hauptmodul& h = hauptmodul();
  if (h.messdaten.MessDateiName.isEmpty()) {
    MMesSpUn_Click();
    return;
  }
  if (!aufnahme_.MessungSpeichern(h.messdaten.MessDateiName)) {
    Tolvek::meldungen().hinweis(QStringLiteral("Es traten Probleme beim Speichern der Datei auf!"));
    return;
  }
  // What is on disk is now the measurement: nothing is lost at exit.
  h.MessungGespeichert = true;
}

void Dateimenue::MExport_Click() {
  if (hauptmodul().messdaten.m == 0) {
    Tolvek::meldungen().zeigen(kKeineMesswerte, kAnwendungstitel, Knoepfe::Ok, Symbol::Kritisch, Antwort::Ok);
    return;
  }
  try {
    if (exportOeffnen) exportOeffnen();
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("Form1 -> MExport"), fehler);
  }
}

void Dateimenue::LetzteDateienVerwalten(const QString& datei) {
  Einstellungen& e = hauptmodul().einstellungen;
  e.LetzteDateien = letzteDateienVerwalten(e.LetzteDateien, datei, e.LetzteDateienAnzahl);
  f_.LetzteDateienZeigen(e.LetzteDateien);
}

}  // namespace pv
