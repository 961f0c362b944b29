#include "geraetetabelle.h"

#include <QFile>
#include <optional>

#include "common/cp1252.h"
#include "common/fehlerbehandlung.h"
#include "common/laufzeitfehler.h"
#include "common/meldungen.h"
#include "common/parameter.h"
#include "common/programmordner.h"
#include "common/sanduhr.h"
#include "common/textdatei.h"
#include "common/tolvek.h"
#include "common/zahlen.h"
#include "devices/feldleser.h"
#include "devices/geraetedatei.h"

namespace pv {
namespace {

const QString kBezeichnung = QStringLiteral("Bezeichnung");
const QString kMenue = QStringLiteral("Menü");
const QString kCrLf = QStringLiteral("\r\n");

// The head of the message for a device file whose "Menü" key could not be written.
QString menuestatusFehler(const QString& datei) {
  return QStringLiteral("Der Menüstatus folgender Gerätedatei konnte nicht geändert werden:") + kCrLf + datei;
}

[[noreturn]] void fehler(const QString& text) {
  throw Laufzeitfehler(Laufzeitfehler::kInternerFehler, text);
}

bool istAktuellerKopf(const QString& text) {
  const std::optional<QString> feld = erstesFeld(text);
  return feld && (*feld == kGeraetedateiKopf31 || *feld == kGeraetedateiKopf30);
}

bool nameVergeben(const QString& name) {
  const auto& geraete = geraeteZustand().Geraete;
  for (size_t i = 1; i < geraete.size(); ++i) {
    if (geraete[i].Bezeichnung == name) return true;
  }
  return false;
}

// Reads one device file into a table entry. No value: the file is left out
// silently (its conversion failed). Throws on any other failure.
std::optional<GeraetEintrag> eintragLesen(const QString& dateiname, QChar dezimal) {
  const QString ordner = Programmordner::pfad();
  const QString pfad = Programmordner::datei(dateiname);

  QString text;
  if (!textdateiLesen(pfad, text)) fehler(QStringLiteral("Datei nicht lesbar"));
  if (!istAktuellerKopf(text)) {
    if (!erstesFeld(text)) fehler(QStringLiteral("Leere Datei"));
    // The bare name: a failure message names the file as the user knows it.
    if (GeraetKonvertierenZuVer3(dateiname, ordner, Tolvek::meldungen()) == 0) return std::nullopt;
    // A converted file carries the current header; checking again once keeps
    // a conversion that did not deliver it from looping.
    if (!textdateiLesen(pfad, text)) fehler(QStringLiteral("Datei nicht lesbar"));
    if (!istAktuellerKopf(text)) fehler(QStringLiteral("Konvertierung ohne gültigen Kopf"));
  }

  QString name = Tolvek::ParameterLesen(text, QString(), kBezeichnung);
  // A nameless device could be neither looked up nor written into the menu.
  if (name.isEmpty()) fehler(QStringLiteral("Bezeichnung fehlt"));

  const std::optional<double> menue = zahlLesen(Tolvek::ParameterLesen(text, QString(), kMenue), dezimal);
  if (!menue) fehler(QStringLiteral("Menü ungültig"));

  // Appending "+" until no earlier entry holds the name keeps names unique
  // whatever order the files come in.
  bool umbenannt = false;
  while (nameVergeben(name)) {
    name += QLatin1Char('+');
    umbenannt = true;
  }
  if (umbenannt) {
    if (!Tolvek::ParameterErsetzen(text, kBezeichnung, name)) fehler(QStringLiteral("Bezeichnung nicht gefunden"));
    if (!dateiErsetzen(pfad, zuCp1252(text + kCrLf))) fehler(QStringLiteral("Datei nicht schreibbar"));
  }

  GeraetEintrag e;
  e.Datei = pfad;
  e.Bezeichnung = name;
  e.ImMenue = *menue == 1;
  return e;
}

bool istZahl(const QString& wert, QChar dezimal) {
  return !wert.isEmpty() && zahlLesen(wert, dezimal).has_value();
}

// The table entry of the named device; null when the table has none.
GeraetEintrag* eintragMitNamen(const QString& name) {
  const int16_t i = GeraetIndexSuchen(name, QString());
  return i < 0 ? nullptr : &geraeteZustand().Geraete[static_cast<size_t>(i)];
}

GeraetEintrag& eintragZuName(const QString& name) {
  GeraetEintrag* e = eintragMitNamen(name);
  if (!e) fehler(QStringLiteral("Gerät nicht in der Tabelle: ") + name);
  return *e;
}

}  // namespace

QStringList geraetedateienIn(const QString& ordner) {
  // In file-name order so that the table's order, and with it which of two
  // equal names gets the "+", does not depend on the file system.
  return dateienIn(ordner, QStringLiteral("*.ger"));
}

GeraeteZustand& geraeteZustand() {
  static GeraeteZustand zustand;
  return zustand;
}

int16_t GeraetIndexSuchen(const QString& bezeichnung, const QString& datei) {
  if (bezeichnung.isEmpty() && datei.isEmpty()) return -1;
  const auto& geraete = geraeteZustand().Geraete;
  for (size_t i = 1; i < geraete.size(); ++i) {
    const bool passt =
        bezeichnung.isEmpty() ? geraete[i].Datei == datei : geraete[i].Bezeichnung == bezeichnung;
    if (passt) return static_cast<int16_t>(i);
  }
  return -1;
}

GeraeteListen Initialisieren(QChar dezimaltrennzeichen) {
  GeraeteListen listen;
  auto& geraete = geraeteZustand().Geraete;
  geraete.assign(1, GeraetEintrag{});
  Sanduhr sanduhr;

  for (const QString& dateiname : geraetedateienIn(Programmordner::pfad())) {
    std::optional<GeraetEintrag> eintrag;
    try {
      eintrag = eintragLesen(dateiname, dezimaltrennzeichen);
    } catch (const std::exception&) {
      sanduhr.aus();
      const Antwort a = Tolvek::meldungen().zeigen(
          QStringLiteral("Beim Initialisieren eines Gerätes ist ein Fehler aufgetreten!") + kCrLf +
              QStringLiteral("Möchten Sie mit dem nächsten Gerät fortfahren?"),
          kAnwendungstitel, Knoepfe::JaNein, Symbol::Keins, Antwort::Ja);
      if (a != Antwort::Ja) break;
      sanduhr.an();
      continue;
    }
    if (!eintrag) continue;
    eintrag->Nr = static_cast<int16_t>(geraete.size());
    geraete.push_back(*eintrag);
    (eintrag->ImMenue ? listen.lstMenu : listen.lstAll).append(eintrag->Bezeichnung);
  }
  return listen;
}

void MenueNeuSchreiben(GeraeteListen& listen, GeraeteMenue& menue, QChar dezimaltrennzeichen) {
  Meldungen& meldungen = Tolvek::meldungen();
  auto& zustand = geraeteZustand();
  try {
    // The file's "Menü" value; none, after a message, when it is no number.
    const auto menueWert = [&](const GeraetEintrag& e) -> std::optional<QString> {
      QString wert = Tolvek::ParameterLesen(QString(), e.Datei, kMenue);
      if (istZahl(wert, dezimaltrennzeichen)) return wert;
      meldungen.hinweis(QStringLiteral("Folgende Gerätedatei ist ungültig:") + kCrLf + e.Datei);
      return std::nullopt;
    };

    for (const QString& name : listen.lstAll) {
      GeraetEintrag& e = eintragZuName(name);
      const auto wert = menueWert(e);
      if (!wert) continue;
      // A failed write of "0" leaves the device out of the menu for this
      // run only: the user is told, as for a failed "1".
      if (*wert != QStringLiteral("0") && Tolvek::ParameterSchreiben(e.Datei, kMenue, QStringLiteral("0")) > 0) {
        meldungen.hinweis(menuestatusFehler(e.Datei));
      }
      e.ImMenue = false;
    }

    QStringList imMenue;
    for (const QString& name : listen.lstMenu) {
      GeraetEintrag& e = eintragZuName(name);
      const auto wert = menueWert(e);
      if (!wert) {
        imMenue.append(name);
        continue;
      }
      if (*wert != QStringLiteral("1") &&
          Tolvek::ParameterSchreiben(e.Datei, kMenue, QStringLiteral("1")) > 0) {
        meldungen.hinweis(menuestatusFehler(e.Datei) + kCrLf + QStringLiteral("Das Gerät ") + e.Bezeichnung +
                          QStringLiteral(" ist nicht verfügbar."));
        e.ImMenue = false;
        listen.lstAll.append(name);
        continue;
      }
      e.ImMenue = true;
      imMenue.append(name);
    }
    listen.lstMenu = imMenue;

    menue.menueNeuAufbauen(listen.lstMenu);
    const qsizetype i = listen.lstMenu.indexOf(zustand.AktuellesMessgeraet);
    if (zustand.AktuellesMessgeraet.isEmpty() || i < 0) {
      meldungen.hinweis(QStringLiteral("Bitte wählen Sie im Menü 'Messgerät' ein Gerät aus!"));
      zustand.AktuellesMessgeraet.clear();
    } else {
      menue.mnuMessgeraete_Click(static_cast<int16_t>(i + 1));
    }
  } catch (const std::exception&) {
    meldungen.hinweis(QStringLiteral("Beim Schreiben der Einträge im Menü 'Messgerät' ") + kCrLf +
                      QStringLiteral("ist ein Fehler aufgetreten. Überprüfen Sie Ihre") + kCrLf +
                      QStringLiteral("Geräteeinstellungen und starten Sie das Programm neu!"));
  }
}

void GeraeteLesen(GeraeteMenue& menue, QChar dezimaltrennzeichen) {
  GeraeteListen listen = Initialisieren(dezimaltrennzeichen);
  MenueNeuSchreiben(listen, menue, dezimaltrennzeichen);
}

GeraeteAuswahl::GeraeteAuswahl(GeraeteMenue& menue, QChar dezimaltrennzeichen)
    : menue_(menue), dezimal_(dezimaltrennzeichen) {}

void GeraeteAuswahl::Initialisieren() { listen_ = pv::Initialisieren(dezimal_); }

bool GeraeteAuswahl::insMenue(int zeileAll) {
  if (zeileAll < 0 || zeileAll >= listen_.lstAll.size()) return false;
  listen_.lstMenu.append(listen_.lstAll.takeAt(zeileAll));
  return true;
}

bool GeraeteAuswahl::ausMenue(int zeileMenu) {
  if (zeileMenu < 0 || zeileMenu >= listen_.lstMenu.size()) return false;
  if (listen_.lstMenu[zeileMenu] == geraeteZustand().AktuellesMessgeraet) {
    Tolvek::meldungen().hinweis(
        QStringLiteral("Das im Menü aktuell ausgewählte Messgerät kann nicht verschoben werden!"));
    return false;
  }
  listen_.lstAll.append(listen_.lstMenu.takeAt(zeileMenu));
  return true;
}

QString GeraeteAuswahl::ausgewaehltesGeraet(int zeileAll, int zeileMenu) const {
  if (zeileAll >= 0 && zeileAll < listen_.lstAll.size()) return listen_.lstAll[zeileAll];
  if (zeileMenu >= 0 && zeileMenu < listen_.lstMenu.size()) return listen_.lstMenu[zeileMenu];
  Tolvek::meldungen().hinweis(QStringLiteral("Es wurde kein Gerät ausgewählt!"));
  return QString();
}

bool GeraeteAuswahl::neu() {
  if (menue_.geraeteEditorOeffnen(QString()).datei.isEmpty()) return false;
  Initialisieren();
  return true;
}

bool GeraeteAuswahl::bearbeiten(int zeileAll, int zeileMenu) {
  const QString name = ausgewaehltesGeraet(zeileAll, zeileMenu);
  if (name.isEmpty()) return false;
  auto& zustand = geraeteZustand();
  QString aktuelleDatei;
  if (name == zustand.AktuellesMessgeraet) {
    if (const GeraetEintrag* e = eintragMitNamen(name)) aktuelleDatei = e->Datei;
  }
  GeraeteMenue::Bearbeitet b;
  uebergehen([&] { b = menue_.geraeteEditorOeffnen(name); });
  if (b.datei.isEmpty()) return false;
  uebergehen([&] { Initialisieren(); });
  if (!aktuelleDatei.isEmpty() && b.datei == aktuelleDatei) {
    zustand.AktuellesMessgeraet = b.name;
    uebergehen([&] { ok(); });
  }
  return true;
}

bool GeraeteAuswahl::loeschen(int zeileAll, int zeileMenu) {
  const QString name = ausgewaehltesGeraet(zeileAll, zeileMenu);
  if (name.isEmpty()) return false;
  Meldungen& meldungen = Tolvek::meldungen();
  if (name == geraeteZustand().AktuellesMessgeraet) {
    meldungen.hinweis(QStringLiteral("Das aktuell im Menü 'Messgerät' ausgewählte Gerät ") + kCrLf +
                      QStringLiteral("kann nicht gelöscht werden!"));
    return false;
  }
  const GeraetEintrag* eintrag = eintragMitNamen(name);
  if (!eintrag || !QFile::exists(eintrag->Datei)) {
    meldungen.hinweis(QStringLiteral("Die Gerätedatei wurde nicht gefunden.") + kCrLf +
                      QStringLiteral("Das Gerät kann nicht gelöscht werden!"));
    return false;
  }
  const QString datei = eintrag->Datei;
  const Antwort a = meldungen.zeigen(
      QStringLiteral("Sind Sie sicher, dass Sie folgendes Messgerät löschen wollen?") + kCrLf +
          QStringLiteral("Messgerät: ") + name + kCrLf + QStringLiteral("Dateiname: ") + datei,
      QStringLiteral("Löschen bestätigen"), Knoepfe::JaNein, Symbol::Kritisch, Antwort::Nein);
  if (a != Antwort::Ja) return false;
  // A file that cannot be deleted is simply found again by the scan.
  QFile::remove(datei);
  Initialisieren();
  ok();
  return true;
}

void GeraeteAuswahl::ok() { MenueNeuSchreiben(listen_, menue_, dezimal_); }

}  // namespace pv
