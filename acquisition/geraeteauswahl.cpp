#include "geraeteauswahl.h"

#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <exception>

#include "acquisition/schnittstellenparameter.h"
#include "acquisition/seriellerport.h"
#include "common/cp1252.h"
#include "common/laufzeitfehler.h"
#include "common/meldungen.h"
#include "common/programmordner.h"
#include "common/tolvek.h"
#include "common/zahlen.h"
#include "devices/geraetedatei.h"
#include "devices/geraetedefinition.h"
#include "devices/geraeteeditor.h"
#include "devices/geraetetabelle.h"

namespace pv {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kSanwaTag = QStringLiteral("SANWAPC5x0");

QString ohneLeerzeichenAussen(const QString& t) {
  qsizetype a = 0;
  qsizetype e = t.size();
  while (a < e && t.at(a) == u' ') ++a;
  while (e > a && t.at(e - 1) == u' ') --e;
  return t.mid(a, e - a);
}

double einheitSchriftgroesse(const std::array<int16_t, 2>& pos, const EinheitLabelMass& m) {
  if (pos[1] - pos[0] <= 0) return m.schriftgroesse;
  if (m.textBreite == 0 || m.textHoehe == 0) {
    throw Laufzeitfehler(Laufzeitfehler::kDivisionDurchNull, QStringLiteral("Division durch Null"));
  }
  const double w = m.breite / m.textBreite;
  const double h = m.hoehe / m.textHoehe;
  const double groesse = m.schriftgroesse * std::min(w, h);
  return groesse > 0 ? groesse : m.schriftgroesse;
}

int quadrat(const std::array<int16_t, 2>& pos) {
  const int d = pos[1] - pos[0];
  return d * d;
}

void meldung(const QString& text) { Tolvek::meldungen().hinweis(text); }

QString einrichtungsfehler(int nummer, const QString& text) {
  return QStringLiteral("Beim Einlesen des Gerätes ist folgender Fehler aufgetreten:") + kCrLf +
         QStringLiteral("Fehler %1: ").arg(nummer) + text + kCrLf +
         QStringLiteral("Das Programm kann eventuell nicht korrekt ausgeführt werden.") + kCrLf +
         QStringLiteral("Überprüfen Sie die Gerätedatei und versuchen sie erneut die ") + kCrLf +
         QStringLiteral("Parameter einzulesen!");
}

}  // namespace

QString AnforderungAufbereiten(const QString& Anforderung) {
  QString t = Anforderung;
  const qsizetype kommentar = t.indexOf(QStringLiteral("*//"), 1);
  if (kommentar >= 1) t = t.left(kommentar);
  t = ohneLeerzeichenAussen(t);
  if (t != kSanwaTag) return {};
  // DLE STX, command 0x42, two zero bytes, check byte = command + 0x25, DLE ETX.
  const char rahmen[] = {0x10, 0x02, 0x42, 0x00, 0x00, 0x67, 0x10, 0x03};
  return vonCp1252(QByteArray(rahmen, sizeof rahmen));
}

QString datenanforderungszeichenBilden(const QString& datenTransferZeichen,
                                       const QString& spezial) {
  if (datenTransferZeichen.toUpper() == QStringLiteral("SPECIAL")) {
    return AnforderungAufbereiten(spezial);
  }
  return datenTransferZeichen;
}

QString anforderungErsetzen(const QString& datenanforderungszeichen, QChar dezimal) {
  QString t = datenanforderungszeichen;
  qsizetype i = t.indexOf(QStringLiteral("{CR}"));
  if (i >= 0) t.replace(i, 4, QChar(13));
  i = t.indexOf(QStringLiteral("{LF}"));
  if (i >= 0) t.replace(i, 4, QChar(10));

  qsizetype p = t.indexOf(u'{');
  while (p >= 0) {
    const qsizetype q = t.indexOf(u'}', p + 1);
    // Without a "}" after this "{" no later "{" has one either.
    if (q < 0) break;
    const auto zahl = zahlLesen(QStringView(t).mid(p + 1, q - p - 1), dezimal);
    if (zahl) {
      const auto code = ganzzahl32(*zahl);
      if (!code) throw Laufzeitfehler::ueberlauf();
      if (*code < 0 || *code > 255) {
        throw Laufzeitfehler(Laufzeitfehler::kUngueltigerAufruf,
                             QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument"));
      }
      // The character the request byte is sent as.
      t.replace(p, q - p + 1, cp1252Zeichen(static_cast<char>(*code)));
    }
    p = t.indexOf(u'{', p + 1);
  }
  return t;
}

QString geraeteZusammenfassung(const Erfassungszustand& z, QChar dezimal) {
  QString s;
  if (z.USBGeraet) {
    s += QStringLiteral("USB-Gerät") + kCrLf;
  } else {
    s += QStringLiteral("COM: ") + z.Schnittstellenparameter + QStringLiteral(" DTR=") +
         QString::number(z.DTR) + QStringLiteral(" RTS=") + QString::number(z.RTS) + kCrLf;
  }
  if (z.GeraetAktiv) {
    s += QStringLiteral("Messgerät sendet eigenständig") + kCrLf;
  } else {
    s += QStringLiteral("Daten werden angefordert:") + kCrLf;
    s += QStringLiteral("    Zeichen: '") + z.Datenanforderungszeichen + QStringLiteral("'") + kCrLf;
    s += QStringLiteral("    Pause: ") + singleText(z.Abfrageintervall, dezimal) +
         QStringLiteral(" Sekunde(n)") + kCrLf;
  }
  s += (z.MessbereichAutomatisch ? QStringLiteral("Messbereicherkennung aktiviert")
                                 : QStringLiteral("Messbereichangabe manuell")) +
       kCrLf;
  if (z.AutoFormat) s += QStringLiteral("automatische Datenformaterkennung aktiviert");
  return s;
}

QString einheitBreitenText(const std::array<int16_t, 2>& pos) {
  const int n = pos[1] - pos[0] + 1;
  if (n <= 1) return {};
  return QString(n, u'0');
}

std::array<double, 2> einheitenSchriftgroessen(const std::array<int16_t, 2>& einheit1Pos,
                                               const std::array<int16_t, 2>& einheit2Pos,
                                               const EinheitLabelMass& label1,
                                               const EinheitLabelMass& label2) {
  std::array<double, 2> g = {einheitSchriftgroesse(einheit1Pos, label1),
                             einheitSchriftgroesse(einheit2Pos, label2)};
  if (quadrat(einheit1Pos) + quadrat(einheit2Pos) > 0) {
    const double kleiner = std::min(g[0], g[1]);
    g = {kleiner, kleiner};
  }
  return g;
}

void definitionUebernehmen(const Geraetedefinition& def, QChar dezimal, Erfassungszustand& neu) {
  neu.MessgeraetBezeichnung = def.GeraeteNamePub;
  neu.Geraeteart = def.GeraeteArtIndexPub;
  neu.Messwertbeginn = def.DatenAnfangPub;
  neu.Messwertende = def.DatenEndePub;
  neu.Datenstringlaenge = def.DatenstringLaengePub;
  neu.Vorzeichenstelle = def.VorzeichenStellePub;
  neu.Einheit1Pos = {def.Einheit1_0Pub, def.Einheit1_1Pub};
  neu.Einheit2Pos = {def.Einheit2_0Pub, def.Einheit2_1Pub};
  neu.AutoFormat = def.autoFormat();
  neu.LZAscii = def.LZAsciiPub;
  neu.SkalaMaximumGeraet = def.MBVollPub;
  neu.USBGeraet = istUsbEinstellung(def.ComSettingPub);
  if (!neu.USBGeraet) {
    neu.Schnittstellenparameter = def.ComSettingPub;
    neu.RTS = def.ComRTSPub;
    neu.DTR = def.ComDTRPub;
    einstellungenPruefen(neu.Schnittstellenparameter);
  }
  neu.GeraetAktiv = def.GeraetAktivPub;
  neu.Datenanforderungszeichen = datenanforderungszeichenBilden(def.DatenTransferZeichenPub, def.SpezialPub);
  neu.Datenanforderung = anforderungErsetzen(neu.Datenanforderungszeichen, dezimal);
  neu.Abfrageintervall = def.DatenTransferZeitPub;
  neu.Bilddatei = def.BildDateiPub;
  neu.MessbereichAutomatisch = def.MBAutoPub;
  neu.MessbereichErkennung = def.ZeichenStelleOptionPub;
  neu.MessbereichZeichenposition = def.ZeichenStellePub;
  for (size_t i = 0; i < def.MBZeichenPub.size(); ++i) {
    neu.MessbereichZeichen[i] = def.MBZeichenPub[i];
  }
  neu.Spezial = def.SpezialPub;
}

bool mnuMessgeraete_Click(int16_t Index, GeraeteauswahlUmgebung& u) {
  // 1. The device by the caption of its menu item.
  const QString name = u.fenster.MenuepunktText(Index);
  const int16_t eintrag = GeraetIndexSuchen(name, QString());
  if (eintrag < 0) {
    meldung(QStringLiteral("Die zum Messgerät '") + name + QStringLiteral("' gehörende Gerätedatei") +
            kCrLf + QStringLiteral("konnte nicht gefunden werden!"));
    return false;
  }

  // 2. Its definition, read into the device editor's record. A file whose
  //    record length or positions the editor refuses counts as one that
  //    does not read: no record would get through to a value.
  Geraetedefinition gelesen = u.definition;
  bool brauchbar = false;
  try {
    brauchbar = GeraeteDatenLesen(geraeteZustand().Geraete[static_cast<size_t>(eintrag)].Datei,
                                  u.dezimal, Programmordner::pfad(), gelesen) != 0 &&
                datensatzformatFehler(gelesen, u.dezimal).isEmpty();
  } catch (...) {
    brauchbar = false;
  }
  if (!brauchbar) {
    meldung(QStringLiteral("Die Parameter des Messgerätes") + kCrLf + QStringLiteral("'") + name +
            QStringLiteral("'") + kCrLf + QStringLiteral("konnten nicht gelesen werden!") + kCrLf +
            QStringLiteral("Bitte prüfen Sie die Angaben."));
    u.modul.GeraetMenueIndex = Index;
    u.fenster.GeraetBearbeiten(name);
    return false;
  }
  Geraetedefinition& def = u.definition;
  def = gelesen;

  // 3. From here on a failure ends the selection with the set-up message.
  try {
    // The new state, worked out completely before anything is shown or set.
    Erfassungszustand neu = u.modul.zustand;
    definitionUebernehmen(def, u.dezimal, neu);
    const QString zusammenfassung = geraeteZusammenfassung(neu, u.dezimal);
    const EinheitLabelMass mass1 = u.fenster.EinheitLabelMessen(
        1, einheitBreitenText(neu.Einheit1Pos), kEinheitHoehenText);
    const EinheitLabelMass mass2 = u.fenster.EinheitLabelMessen(
        2, einheitBreitenText(neu.Einheit2Pos), kEinheitHoehenText);
    const auto schriftgroessen =
        einheitenSchriftgroessen(neu.Einheit1Pos, neu.Einheit2Pos, mass1, mass2);

    // The effects, in the order the window shows them.
    u.fenster.EinheitSchriftgroessenSetzen(schriftgroessen[0], schriftgroessen[1]);
    // Binary input for these meters, USB devices included.
    u.port.setInputMode(spezialBeginnt(neu.Spezial, kSanwaTag) ? 1 : 0);

    if (neu.MessbereichAutomatisch) {
      u.fenster.MessbereichRahmenSetzen(QStringLiteral("Größenordnung: automatisch"), false);
    } else {
      u.fenster.MessbereichRahmenSetzen(QStringLiteral("Größenordnung: manuell"), true);
    }

    const auto x = static_cast<int32_t>(rundeHalbGerade(u.modul.MessgeraetBildWMax / 2.0));
    const auto y = static_cast<int32_t>(rundeHalbGerade(u.modul.MessgeraetBildHMax / 2.0));
    if (u.fenster.BildLaden(neu.Bilddatei, QStringLiteral("ZM"), x, y, u.modul.MessgeraetBildHMax,
                            u.modul.MessgeraetBildWMax) == 0) {
      u.fenster.StatuszeileSetzen(QStringLiteral("Die Messgerät-Bilddatei wurde nicht gefunden!"));
      u.fenster.BildPlatzhalterZeigen(true);
    } else {
      u.fenster.BildPlatzhalterZeigen(false);
    }

    // The port is only configured here, never opened or closed.
    if (!neu.USBGeraet) {
      u.port.setSettings(neu.Schnittstellenparameter);
      u.port.setRTSEnable(neu.RTS == 1);
      u.port.setDTREnable(neu.DTR == 1);
    }

    u.fenster.GeraetAnzeigen(neu.MessgeraetBezeichnung, zusammenfassung);

    u.modul.zustand = neu;
    geraeteZustand().AktuellesMessgeraet = neu.MessgeraetBezeichnung;
    u.fenster.MenueAuswahlSetzen(Index, neu.MessgeraetBezeichnung);
    return true;
  } catch (const Laufzeitfehler& f) {
    meldung(einrichtungsfehler(f.nummer(), f.text()));
  } catch (const std::exception& f) {
    meldung(einrichtungsfehler(Laufzeitfehler::kInternerFehler, QString::fromUtf8(f.what())));
  }
  return false;
}

}  // namespace pv
