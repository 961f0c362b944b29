#include "geraetepruefung.h"

#include <cmath>
#include <optional>

#include "common/zahlen.h"
#include "devices/schnittstellenparameter.h"

namespace pv {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kUnzulaessig = QStringLiteral("Unzulässige Eingabe im Feld ");

struct Fehler {
  QString text;
  EditorFeld fokus = EditorFeld::Keins;
};
using Pruefschritt = std::optional<Fehler>;

Fehler unzulaessig(const QString& feld) { return {kUnzulaessig + feld, EditorFeld::Keins}; }

// A box read as a 16-bit integer (nearest, half to even). `leerIstNull`: an
// empty box is 0, else it is refused like any text that is not a number.
std::optional<int16_t> ganzeZahl(const QString& text, bool leerIstNull, QChar dezimal) {
  if (text.isEmpty()) return leerIstNull ? std::optional<int16_t>(0) : std::nullopt;
  const auto z = zahlLesen(text, dezimal);
  return z ? ganzzahl16(*z) : std::nullopt;
}

// A typed position that the device file reads back as the same whole number.
std::optional<int16_t> ganzzahligeEingabe(const QString& text, QChar dezimal) {
  const auto z = zahlLesen(text, dezimal);
  if (!z || std::floor(*z) != *z) return std::nullopt;
  return ganzzahl16(*z);
}

// Name and kind.
Pruefschritt kopfPruefen(const GeraeteEingaben& e, const PruefUmfeld& u, Geraetedefinition& d) {
  if (e.GerBezText.isEmpty()) return Fehler{QStringLiteral("Geben Sie eine Bezeichnung für das Gerät an")};
  d.GeraeteNamePub = e.GerBezText;
  if (u.index == 0 && u.vorhandeneNamen.contains(e.GerBezText)) {
    return Fehler{QStringLiteral("Die Gerätebezeichnung existiert bereits für ein anderes Gerät.") + kCrLf +
                  QStringLiteral("Geben Sie bitte eine andere Bezeichnung ein.")};
  }
  if (e.OptionGeraet < 0 || e.OptionGeraet > 5) {
    return Fehler{QStringLiteral("Geben Sie an, um welches Gerät es sich handelt")};
  }
  d.GeraeteArtIndexPub = static_cast<int16_t>(e.OptionGeraet);
  return std::nullopt;
}

// The seven positions and the record length, converted in their order.
Pruefschritt positionenLesen(const GeraeteEingaben& e, QChar dezimal, Geraetedefinition& d) {
  struct Box {
    const QString& text;
    bool leerIstNull;
    int16_t& ziel;
    const char* label;
  };
  const Box boxen[] = {
      {e.txtDatenStringLaenge, false, d.DatenstringLaengePub, "Datensatz-Länge"},
      {e.txtMesswertStart, false, d.DatenAnfangPub, "Messwert: Position erstes Zeichen"},
      {e.txtMesswertStop, false, d.DatenEndePub, "Messwert: Position letztes Zeichen"},
      {e.txtVorzeichenStelle, true, d.VorzeichenStellePub, "Vorzeichenposition"},
      {e.txtEinheit1_0, true, d.Einheit1_0Pub, "Einheit 1"},
      {e.txtEinheit1_1, true, d.Einheit1_1Pub, "Einheit 1"},
      {e.txtEinheit2_0, true, d.Einheit2_0Pub, "Einheit 2"},
      {e.txtEinheit2_1, true, d.Einheit2_1Pub, "Einheit 2"},
  };
  for (const Box& b : boxen) {
    const auto z = ganzeZahl(b.text, b.leerIstNull, dezimal);
    if (!z) return unzulaessig(QString::fromUtf8(b.label));
    b.ziel = *z;
  }
  return std::nullopt;
}

Pruefschritt einheitPruefen(int n, int f, int l, int laenge, EditorFeld feldErstes, EditorFeld feldLetztes) {
  const QString nr = QString::number(n);
  if (f < 0 || f >= laenge) {
    return Fehler{QStringLiteral("Die Position des ersten Zeichens bei Einheit ") + nr + kCrLf +
                      QStringLiteral("muss innerhalb des Datensatzes liegen!"),
                  feldErstes};
  }
  if ((f == 0) != (l == 0)) {
    return Fehler{QStringLiteral("Wenn Sie keine Einheit ") + nr + QStringLiteral(" darstellen möchten, müssen") +
                      kCrLf + QStringLiteral("erste UND letzte Position auf 0 gesetzt werden"),
                  f != 0 ? feldErstes : feldLetztes};
  }
  if (f != 0 && l < f) {
    return Fehler{QStringLiteral("Die Position des letzten Zeichens bei Einheit ") + nr +
                      QStringLiteral(" muss mindestens") + kCrLf +
                      QStringLiteral("so groß sein wie die Position des ersten Zeichens!"),
                  feldLetztes};
  }
  if (l >= laenge) {
    return Fehler{QStringLiteral("Die Position des letzten Zeichens bei Einheit ") + nr + QStringLiteral(" ") +
                      kCrLf + QStringLiteral("muss kleiner sein als die Länge des Datensatzes!"),
                  feldLetztes};
  }
  return std::nullopt;
}

// Length, value, sign and units inside the record.
Pruefschritt formatPruefen(const Geraetedefinition& d) {
  const int laenge = d.DatenstringLaengePub;
  if (laenge < 2 || laenge > 200) {
    return Fehler{QStringLiteral("Die Länge des Datensatzes muss mindestens zwei") + kCrLf +
                      QStringLiteral("und darf höchstens 200 Zeichen haben!"),
                  EditorFeld::txtDatenStringLaenge};
  }
  if (d.autoFormat()) return std::nullopt;

  const int anfang = d.DatenAnfangPub, ende = d.DatenEndePub, vz = d.VorzeichenStellePub;
  if (anfang < 1 || anfang >= laenge) {
    return Fehler{QStringLiteral("Die Position des ersten Zeichens des Messwertes muss") + kCrLf +
                      QStringLiteral("innerhalb des Datensatzes liegen!"),
                  EditorFeld::txtMesswertStart};
  }
  if (ende < anfang) {
    return Fehler{QStringLiteral("Die Position des letzten Zeichens des Messwertes muss mindestens") + kCrLf +
                      QStringLiteral("so groß sein wie die Position des ersten Zeichens!"),
                  EditorFeld::txtMesswertStop};
  }
  if (ende >= laenge) {
    return Fehler{QStringLiteral("Die Position des letzten Zeichens des Messwertes muss") + kCrLf +
                      QStringLiteral("kleiner sein als die Länge des Datensatzes!"),
                  EditorFeld::txtMesswertStop};
  }
  if (vz < 0 || vz >= laenge) {
    return Fehler{QStringLiteral("Die Position des Vorzeichens muss innerhalb des Datensatzes liegen") + kCrLf +
                      QStringLiteral("oder (wenn nicht erwünscht) auf 0 gesetzt werden."),
                  EditorFeld::txtVorzeichenStelle};
  }
  if (vz >= anfang && vz <= ende) {
    return Fehler{QStringLiteral("Die Position des Vorzeichens darf nicht innerhalb des Messwertes liegen!"),
                  EditorFeld::txtVorzeichenStelle};
  }
  if (auto f = einheitPruefen(1, d.Einheit1_0Pub, d.Einheit1_1Pub, laenge, EditorFeld::txtEinheit1_0,
                              EditorFeld::txtEinheit1_1)) {
    return f;
  }
  return einheitPruefen(2, d.Einheit2_0Pub, d.Einheit2_1Pub, laenge, EditorFeld::txtEinheit2_0,
                        EditorFeld::txtEinheit2_1);
}

Pruefschritt abschlussPruefen(const QString& t, QChar dezimal, Geraetedefinition& d) {
  if (const auto code = zahlLesen(t, dezimal)) {
    // The typed number is range-checked as the file reader checks it, then
    // rounded: "-0,4" would not read back.
    if (!istAbschlusscode(*code)) {
      return Fehler{QStringLiteral("Der ASCII-Code des Datenabschlusszeichens ist ungültig."),
                    EditorFeld::txtLetzteZeichen};
    }
    d.LZAsciiPub = static_cast<int16_t>(rundeHalbGerade(*code));
    return std::nullopt;
  }
  if (t.size() >= 2) {
    return Fehler{QStringLiteral("Es kann nur ein Zeichen den Datensatz abschliessen!"),
                  EditorFeld::txtLetzteZeichen};
  }
  const QString gross = t.toUpper();
  if (gross == u"R") {
    d.LZAsciiPub = 13;
  } else if (gross == u"L") {
    d.LZAsciiPub = 10;
  } else {
    return Fehler{QStringLiteral("Als letztes Zeichen ist nur") + kCrLf +
                      QStringLiteral("'R' für ein Returnzeichen und") + kCrLf +
                      QStringLiteral("'L' für das LineFeed-Zeichen") + kCrLf +
                      QStringLiteral("oder ein ASCII-Code erlaubt! "),
                  EditorFeld::txtLetzteZeichen};
  }
  return std::nullopt;
}

// Full scale and serial settings.
Pruefschritt skalaUndSchnittstellePruefen(const GeraeteEingaben& e, QChar dezimal, Geraetedefinition& d) {
  if (const std::optional<float> fest = dmmSkala(d.GeraeteArtIndexPub)) {
    d.MBVollPub = *fest;
  } else {
    // The box shows the value with the system's separator; either mark reads.
    QString text = e.TextMBVoll;
    const auto voll = alsSingle(val(text.replace(u',', u'.')));
    if (!voll) return unzulaessig(QStringLiteral("Messwert - Maximum"));
    // Kept as the file's seven significant digits read it back.
    d.MBVollPub = alsSingle(zahlLesen(singleText(*voll, dezimal), dezimal).value_or(0)).value_or(0);
  }

  const QString com = schnittstellenTextAus(e);
  if (!istUsbEinstellung(com)) {
    try {
      einstellungenPruefen(com);
    } catch (const std::exception&) {
      return unzulaessig(QStringLiteral("Schnittstellenparameter"));
    }
  }
  d.ComSettingPub = com;
  d.ComRTSPub = e.chkRTS ? 1 : 0;
  d.ComDTRPub = e.chkDTR ? 1 : 0;
  return std::nullopt;
}

Pruefschritt transferPruefen(const GeraeteEingaben& e, QChar dezimal, Geraetedefinition& d) {
  using T = GeraeteEingaben::Transfer;
  if (e.transfer == T::Keiner) return Fehler{QStringLiteral("Geben Sie an, ob das Gerät aktiv oder passiv ist")};
  d.GeraetAktivPub = e.transfer == T::Aktiv;
  // Both boxes go to the file as typed, for a sending device too.
  d.DatenTransferZeichenPub = e.TextTransferzeichen;
  if (e.transfer == T::Passiv) {
    if (e.TextTransferzeichen.isEmpty() && !istUsbEinstellung(e.Baud)) {
      return Fehler{QStringLiteral("Geben Sie ein, welches Zeichen an das Gerät gesendet werden soll")};
    }
    if (e.TextDatenTransferZeit.isEmpty()) {
      return Fehler{QStringLiteral("Geben Sie die Wartezeit zwischen zwei Messwertabfragen an.")};
    }
  }
  d.DatenTransferZeitPub = 0;
  if (e.TextDatenTransferZeit.isEmpty()) return std::nullopt;
  const auto zeit = singleLesen(e.TextDatenTransferZeit, dezimal);
  if (!zeit) return unzulaessig(QStringLiteral("Wartezeit"));
  d.DatenTransferZeitPub = *zeit;
  if (e.transfer == T::Passiv && (*zeit < 0 || *zeit > 65)) {
    return Fehler{QStringLiteral("Die Wartezeit zwischen zwei Messwertabfragen muss ") + kCrLf +
                  QStringLiteral("zwischen 0 und 65 Sekunden liegen.")};
  }
  return std::nullopt;
}

Pruefschritt zeichenPruefen(const std::array<QString, 6>& zeichen) {
  for (size_t i = 0; i < zeichen.size(); ++i) {
    if (zeichen[i].isEmpty()) return Fehler{QStringLiteral("Sie haben nicht alle Zeichen angegeben")};
    if (zeichen[i].size() > 1) {
      return Fehler{QStringLiteral(
          "Als Messbereich-Erkennungszeichen darf je nur ein einzelnes Zeichen angegeben werden. ")};
    }
    for (size_t j = 0; j < zeichen.size(); ++j) {
      if (j != i && zeichen[j] == zeichen[i]) {
        return Fehler{QStringLiteral("Die Messbereichs-Erkennungszeichen müssen alle unterschiedlich sein!")};
      }
    }
  }
  return std::nullopt;
}

Pruefschritt messbereichPruefen(const GeraeteEingaben& e, QChar dezimal, Geraetedefinition& d) {
  using M = GeraeteEingaben::Messbereich;
  const Fehler positionUnzulaessig = unzulaessig(QStringLiteral("Messbereich Zeichenposition"));
  if (e.messbereich == M::Keiner) {
    return Fehler{QStringLiteral("Geben Sie an, ob der Messbereich manuell angegeben ") + u'\n' +
                  QStringLiteral("oder automatisch erkannt werden soll.")};
  }
  d.MBAutoPub = e.messbereich == M::Automatisch;
  d.ZeichenStelleOptionPub = e.OptionZeichenStelle == 1 ? 1 : e.OptionZeichenStelle == 3 ? 3 : 2;
  d.MBZeichenPub = e.TextMBZeichen;
  const auto stelle = ganzzahligeEingabe(e.TextZeichenStelle, dezimal);
  d.ZeichenStellePub = stelle.value_or(0);

  if (d.MBAutoPub) {
    if (e.OptionZeichenStelle == 3) {
      if (e.TextZeichenStelle.isEmpty()) {
        return Fehler{QStringLiteral("Geben Sie an, an welcher Stelle des Datenstrings ") + u'\n' +
                      QStringLiteral("das Messbereich-Erkennungszeichen übertragen wird.")};
      }
      // The range is checked on the number the text begins with ("x" is 0);
      // a text that is more than a whole number is refused below.
      const double vorne = val(e.TextZeichenStelle);
      const int hoechste = d.DatenstringLaengePub - 1;
      if (vorne < 1 || vorne > hoechste) {
        return Fehler{QStringLiteral("Sie haben eine ungültige Stelle für das Messbereich-Erkennungszeichen "
                                     "angegeben.") +
                      u'\n' + QStringLiteral("Erlaubter Bereich: 1 bis ") + QString::number(hoechste)};
      }
    } else if (e.OptionZeichenStelle != 1 && e.OptionZeichenStelle != 2) {
      return Fehler{QStringLiteral("Wählen Sie aus, wie der Messbereich erkannt werden soll.")};
    }
    if (auto f = zeichenPruefen(e.TextMBZeichen)) return f;
  }
  // Written as typed in every mode: it must read back.
  if (!e.TextZeichenStelle.isEmpty() && !stelle) return positionUnzulaessig;
  return std::nullopt;
}

// The record format: the positions from their boxes, then the length and
// the positions inside the record.
Pruefschritt datensatzformat(const GeraeteEingaben& e, QChar dezimal, Geraetedefinition& d) {
  Pruefschritt f = positionenLesen(e, dezimal, d);
  return f ? f : formatPruefen(d);
}

}  // namespace

QString dmmSkalaText(int art) {
  static const QStringList texte = {"19990", "39990", "199990", "399990"};
  return art >= 0 && art < texte.size() ? texte[art] : QString();
}

std::optional<float> dmmSkala(int art) {
  return singleLesen(dmmSkalaText(art), u'.');
}

QString schnittstellenTextAus(const GeraeteEingaben& e) {
  if (istUsbEinstellung(e.Baud)) return e.Baud;
  return e.Baud + u',' + e.Paritaet.left(1) + u',' + e.Datenbits + u',' + e.Stopbits;
}

GeraetePruefung DatensatzformatPruefen(const GeraeteEingaben& e, QChar dezimal) {
  GeraetePruefung p;
  if (const Pruefschritt f = datensatzformat(e, dezimal, p.definition)) {
    p.meldung = f->text;
    p.fokus = f->fokus;
  }
  return p;
}

GeraetePruefung GeraetPruefen(const GeraeteEingaben& e, const PruefUmfeld& u) {
  GeraetePruefung p;
  Geraetedefinition& d = p.definition;
  Pruefschritt f = kopfPruefen(e, u, d);
  if (!f) f = datensatzformat(e, u.dezimal, d);
  if (!f) f = abschlussPruefen(e.txtLetzteZeichen, u.dezimal, d);
  if (!f) f = skalaUndSchnittstellePruefen(e, u.dezimal, d);
  if (!f) f = transferPruefen(e, u.dezimal, d);
  if (!f) d.BildDateiPub = u.bildVorhanden ? e.TextBildDateiEigenGeraet : QString();
  if (!f) f = messbereichPruefen(e, u.dezimal, d);
  if (f) {
    p.meldung = f->text;
    p.fokus = f->fokus;
    return p;
  }
  d.SpezialPub = u.spezial;
  d.ImMenue = u.index == 0 ? int16_t(1) : u.imMenue;
  p.texte.abschlusszeichen = e.txtLetzteZeichen;
  p.texte.wartezeit = e.TextDatenTransferZeit;
  p.texte.zeichenposition = e.TextZeichenStelle;
  return p;
}

}  // namespace pv
