#include "geraeteeditor.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "common/allgemein.h"
#include "common/cp1252.h"
#include "common/fehlerbehandlung.h"
#include "common/laufzeitfehler.h"
#include "common/meldungen.h"
#include "common/programmordner.h"
#include "common/tolvek.h"
#include "common/zahlen.h"
#include "devices/geraetedatei.h"
#include "devices/geraetetabelle.h"

namespace pv {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kLabelSpeichern = QStringLiteral("GerEigen -> ÜbernButton");

// The serial lists from a settings text; false when a part has no entry.
bool schnittstelleEintragen(const QString& com, GeraeteEingaben& e, bool& usb) {
  if (com.toUpper() == u"USB") {
    e.Baud = QStringLiteral("USB");
    e.Paritaet.clear();
    e.Datenbits.clear();
    e.Stopbits.clear();
    usb = true;
    return true;
  }
  const QStringList felder = com.split(u',');
  if (felder.size() < 2) return false;
  bool vollstaendig = true;
  e.Baud = felder[0];
  const int paritaet = QStringLiteral("noe").indexOf(felder[1].left(1).toLower());
  if (felder[1].isEmpty() || paritaet < 0) {
    vollstaendig = false;
  } else {
    e.Paritaet = paritaeten()[paritaet];
  }
  if (felder.size() > 2 && datenbitsListe().contains(felder[2])) {
    e.Datenbits = felder[2];
  } else {
    vollstaendig = false;
  }
  if (felder.size() == 4 && stopbitsListe().contains(felder[3])) {
    e.Stopbits = felder[3];
  } else {
    vollstaendig = false;
  }
  return vollstaendig;
}

// A scale's full scale as the box shows it: padded with "0" to the width of
// the value field.
QString skalaText(const Geraetedefinition& d, QChar dezimal) {
  QString text = singleText(d.MBVollPub, dezimal);
  const int breite = d.DatenEndePub - d.DatenAnfangPub + 1;
  if (text.size() < breite) text = QString(breite - text.size(), u'0') + text;
  return text;
}

// The terminator box for the file's text: the text itself, except a name in
// braces that the file allows and the box does not ("{CR}"), which shows as
// the box names its code.
QString abschlussfeld(const QString& text, QChar dezimal) {
  const auto code = abschlusscodeLesen(text, dezimal);
  const bool inKlammern = code && text.size() > 1 && !zahlLesen(text, dezimal);
  return inKlammern ? abschlusszeichenText(*code) : text;
}

// The texts of a device file's keys that it holds; for a file that does not
// read as a whole, whose controls are filled from them. A key the file lacks
// leaves its control as for a new device.
class Schluesseltexte {
 public:
  Schluesseltexte(const QMap<QString, QString>& w, QChar dezimal) : w_(w), dezimal_(dezimal) {}
  bool hat(const QString& schluessel) const { return w_.contains(schluessel); }
  void fuellen(const QString& schluessel, QString& box) const {
    if (hat(schluessel)) box = w_.value(schluessel);
  }
  // The value as the reader takes an integer key; none when it is missing
  // or no integer.
  std::optional<int16_t> ganz(const QString& schluessel) const {
    return hat(schluessel) ? geraetedateiGanzzahl(w_.value(schluessel), dezimal_) : std::nullopt;
  }

 private:
  const QMap<QString, QString>& w_;
  QChar dezimal_;
};

// The option buttons, lists and check boxes follow the keys they show.
// False for a kind or serial settings text that has no place in them.
bool schalterAusTexten(const Schluesseltexte& t, EditorAnsicht& a) {
  GeraeteEingaben& e = a.eingaben;
  bool vollstaendig = true;
  const auto art = t.ganz(QStringLiteral("Geräteart"));
  if (art && *art >= kDmm3_5 && *art <= kSonstiges) {
    e.OptionGeraet = *art;
  } else if (t.hat(QStringLiteral("Geräteart"))) {
    vollstaendig = false;
  }
  QString com;
  t.fuellen(QStringLiteral("Schnittstellenparameter"), com);
  if (t.hat(QStringLiteral("Schnittstellenparameter")) && !schnittstelleEintragen(com, e, a.usb)) {
    vollstaendig = false;
  }
  e.chkRTS = t.ganz(QStringLiteral("RTS")).value_or(0) != 0;
  e.chkDTR = t.ganz(QStringLiteral("DTR")).value_or(0) != 0;
  using T = GeraeteEingaben::Transfer;
  if (const auto aktiv = t.ganz(QStringLiteral("Gerät aktiv"))) e.transfer = *aktiv == 1 ? T::Aktiv : T::Passiv;
  using M = GeraeteEingaben::Messbereich;
  if (const auto manuell = t.ganz(QStringLiteral("Messbereich manuell"))) {
    e.messbereich = *manuell == 1 ? M::Manuell : M::Automatisch;
  }
  const auto erkennung = t.ganz(QStringLiteral("Messbereich Erkennung"));
  if (erkennung && *erkennung >= 1 && *erkennung <= 3) e.OptionZeichenStelle = *erkennung;
  return vollstaendig;
}

// Every text box shows its key's text as the file has it, a broken one
// included; the full scale of a DMM kind is the kind's own.
void boxenAusTexten(const Schluesseltexte& t, QChar dezimal, GeraeteEingaben& e) {
  const std::pair<const char*, QString*> boxen[] = {
      {"Bezeichnung", &e.GerBezText},
      {"Datenstringlänge", &e.txtDatenStringLaenge},
      {"Messwertbeginn", &e.txtMesswertStart},
      {"Messwertende", &e.txtMesswertStop},
      {"Vorzeichenstelle", &e.txtVorzeichenStelle},
      {"Einheit1 Beginn", &e.txtEinheit1_0},
      {"Einheit1 Ende", &e.txtEinheit1_1},
      {"Einheit2 Beginn", &e.txtEinheit2_0},
      {"Einheit2 Ende", &e.txtEinheit2_1},
      {"Datenstringabschlusszeichen", &e.txtLetzteZeichen},
      {"Datenanforderungszeichen", &e.TextTransferzeichen},
      {"Wartezeit", &e.TextDatenTransferZeit},
      {"Bilddatei", &e.TextBildDateiEigenGeraet},
      {"Messbereich Zeichenposition", &e.TextZeichenStelle},
  };
  for (const auto& [schluessel, box] : boxen) t.fuellen(QString::fromUtf8(schluessel), *box);
  for (int i = 0; i < 6; ++i) t.fuellen(QStringLiteral("Messbereich Zeichen %1").arg(i), e.TextMBZeichen[i]);
  e.txtLetzteZeichen = abschlussfeld(e.txtLetzteZeichen, dezimal);
  const QString dmm = dmmSkalaText(e.OptionGeraet);
  if (dmm.isEmpty()) {
    t.fuellen(QStringLiteral("Skala Maximum"), e.TextMBVoll);
  } else {
    e.TextMBVoll = dmm;
  }
}

// The editor on a device file that does not read: its controls from the
// file's own key texts, shown under the name it was opened for when the file
// names none. The decoder tag and the menu flag, which the editor saves
// without a control of its own, come from the file as well; the record's
// other values belong to the device read before and stay unused.
EditorAnsicht ungelesenAnsicht(const GeraetEintrag* eintrag, const QString& messgeraet, QChar dezimal,
                               Geraetedefinition& def, bool& vollstaendig) {
  const auto w = eintrag ? geraetedateiTexte(eintrag->Datei) : QMap<QString, QString>();
  const Schluesseltexte t(w, dezimal);
  EditorAnsicht a;
  vollstaendig = schalterAusTexten(t, a);
  boxenAusTexten(t, dezimal, a.eingaben);
  if (!t.hat(QStringLiteral("Bezeichnung"))) a.eingaben.GerBezText = messgeraet;
  def.SpezialPub = w.value(QStringLiteral("Spezial"));
  const auto menue = geraetedateiGanzzahl(w.value(QStringLiteral("Menü")), dezimal);
  def.ImMenue = menue.value_or(eintrag && eintrag->ImMenue ? 1 : 0);
  return a;
}

}  // namespace

const QStringList& baudraten() {
  static const QStringList liste = {"110",  "300",   "600",   "1200",  "2400",  "9600",
                                    "14400", "19200", "38400", "57600", "115200"};
  return liste;
}

const QStringList& paritaeten() {
  static const QStringList liste = {QStringLiteral("none (keine)"), QStringLiteral("odd (ungerade)"),
                                    QStringLiteral("even (gerade)")};
  return liste;
}

const QStringList& datenbitsListe() {
  static const QStringList liste = {"5", "6", "7", "8"};
  return liste;
}

const QStringList& stopbitsListe() {
  static const QStringList liste = {"1", "2"};
  return liste;
}

QString spezialTitel(const QString& spezial) {
  const qsizetype stern = spezial.indexOf(u'*');
  if (stern < 1) return QString();
  return QStringLiteral(" (Special: ") + spezial.left(stern).trimmed() + u')';
}

EditorAnsicht ansichtAus(const Geraetedefinition& d, QChar dezimal, bool& vollstaendig) {
  EditorAnsicht a;
  GeraeteEingaben& e = a.eingaben;
  vollstaendig = true;
  e.GerBezText = d.GeraeteNamePub;
  if (d.GeraeteArtIndexPub >= kDmm3_5 && d.GeraeteArtIndexPub <= kSonstiges) {
    e.OptionGeraet = d.GeraeteArtIndexPub;
  } else {
    vollstaendig = false;
  }
  e.txtDatenStringLaenge = QString::number(d.DatenstringLaengePub);
  e.txtMesswertStart = QString::number(d.DatenAnfangPub);
  e.txtMesswertStop = QString::number(d.DatenEndePub);
  if (d.VorzeichenStellePub >= 0) e.txtVorzeichenStelle = QString::number(d.VorzeichenStellePub);
  e.txtEinheit1_0 = QString::number(d.Einheit1_0Pub);
  e.txtEinheit1_1 = QString::number(d.Einheit1_1Pub);
  e.txtEinheit2_0 = QString::number(d.Einheit2_0Pub);
  e.txtEinheit2_1 = QString::number(d.Einheit2_1Pub);
  // Shown by its code: a file may name it in a way the box does not take
  // ("{CR}", "13"), and saving unchanged must not be refused for it.
  e.txtLetzteZeichen = abschlusszeichenText(d.LZAsciiPub);
  if (e.OptionGeraet >= kWaage) {
    e.TextMBVoll = skalaText(d, dezimal);
  } else if (e.OptionGeraet >= 0) {
    e.TextMBVoll = dmmSkalaText(e.OptionGeraet);
  }
  if (!schnittstelleEintragen(d.ComSettingPub, e, a.usb)) vollstaendig = false;
  e.chkRTS = d.ComRTSPub != 0;
  e.chkDTR = d.ComDTRPub != 0;
  e.transfer = d.GeraetAktivPub ? GeraeteEingaben::Transfer::Aktiv : GeraeteEingaben::Transfer::Passiv;
  e.TextTransferzeichen = d.DatenTransferZeichenPub;
  e.TextDatenTransferZeit = singleText(d.DatenTransferZeitPub, dezimal);
  e.TextBildDateiEigenGeraet = d.BildDateiPub;
  e.messbereich = d.MBAutoPub ? GeraeteEingaben::Messbereich::Automatisch : GeraeteEingaben::Messbereich::Manuell;
  if (d.ZeichenStelleOptionPub >= 1 && d.ZeichenStelleOptionPub <= 3) e.OptionZeichenStelle = d.ZeichenStelleOptionPub;
  e.TextZeichenStelle = QString::number(d.ZeichenStellePub);
  e.TextMBZeichen = d.MBZeichenPub;
  return a;
}

QString datensatzformatFehler(const Geraetedefinition& def, QChar dezimal) {
  bool vollstaendig = true;
  return DatensatzformatPruefen(ansichtAus(def, dezimal, vollstaendig).eingaben, dezimal).meldung;
}

QSize vorschauGroesse(QSize bild, QSize flaeche) {
  if (bild.isEmpty()) return QSize();
  if (bild.height() <= bild.width()) {
    const int w = std::min(flaeche.width(), bild.width());
    return QSize(w, qRound(double(w) * bild.height() / bild.width()));
  }
  const int h = std::min(flaeche.height(), bild.height());
  return QSize(qRound(double(h) * bild.width() / bild.height()), h);
}

EditorAnsicht GeraeteEditor::GeraetBearbeiten(const QString& messgeraet) {
  Meldungen& meldungen = Tolvek::meldungen();
  Geraetedefinition& def = u_.definition;
  EditorAnsicht neu;
  if (messgeraet.isEmpty()) {
    dateiNameGeraet_.clear();
    def.SpezialPub.clear();
    neu.titel = QStringLiteral("Neues Messgerät definieren");
    neu.aenderungenSichtbar = false;
    return neu;
  }

  const int16_t i = GeraetIndexSuchen(messgeraet, QString());
  const GeraetEintrag* eintrag = i > 0 ? &geraeteZustand().Geraete[static_cast<size_t>(i)] : nullptr;
  dateiNameGeraet_ = eintrag ? eintrag->Datei : QString();
  def.ImMenue = 0;
  const bool gelesen =
      eintrag && GeraeteDatenLesen(eintrag->Datei, u_.dezimal, Programmordner::pfad(), def) != 0;
  bool vollstaendig = true;
  EditorAnsicht a;
  if (gelesen) {
    a = ansichtAus(def, u_.dezimal, vollstaendig);
  } else {
    meldungen.hinweis(QStringLiteral("Beim Lesen der Geräteparameter ist ein Fehler aufgetreten!") + kCrLf +
                      QStringLiteral("Die angezeigten Werte sind möglicherweise nicht korrekt!"));
    a = ungelesenAnsicht(eintrag, messgeraet, u_.dezimal, def, vollstaendig);
  }
  a.dateiNameGeraet = dateiNameGeraet_;
  if (eintrag) a.titel = QStringLiteral("Messgerät '") + eintrag->Bezeichnung + QStringLiteral("' bearbeiten");
  a.titel += spezialTitel(def.SpezialPub);
  a.aenderungenSichtbar = true;
  a.speichernUnterSichtbar = !(u_.GeraetMenueIndex > 0 || def.SpezialPub.left(5) == u"VC608");
  if (!vollstaendig) {
    meldungen.hinweis(QStringLiteral("Beim Eintragen der Geräteparameter sind Fehler aufgetreten.") + kCrLf +
                      QStringLiteral("Überprüfen Sie bitte alle Angaben!"));
  }
  return a;
}

bool GeraeteEditor::bildVorhanden(const QString& bild) {
  return !bild.isEmpty() && QFileInfo(Programmordner::datei(bild)).isFile();
}

GeraeteEditor::Speichern GeraeteEditor::UebernButton_Click(int16_t index, const GeraeteEingaben& eingaben) {
  Geraetedefinition& def = u_.definition;
  PruefUmfeld umfeld;
  umfeld.index = index;
  for (size_t i = 1; i < geraeteZustand().Geraete.size(); ++i) {
    umfeld.vorhandeneNamen << geraeteZustand().Geraete[i].Bezeichnung;
  }
  umfeld.spezial = def.SpezialPub;
  umfeld.imMenue = def.ImMenue;
  umfeld.bildVorhanden = bildVorhanden(eingaben.TextBildDateiEigenGeraet);
  umfeld.dezimal = u_.dezimal;
  const GeraetePruefung p = GeraetPruefen(eingaben, umfeld);
  if (!p.ok()) {
    Tolvek::meldungen().hinweis(p.meldung);
    return {false, p.fokus};
  }

  QString ziel = dateiNameGeraet_;
  if (index == 0 || ziel.isEmpty()) {
    const QString ordner = Programmordner::pfad();
    const QString datei = u_.dateinameWaehlen ? u_.dateinameWaehlen(ordner, eingaben.GerBezText) : QString();
    if (datei.isEmpty()) return {};
    ziel = QDir(ordner).filePath(datei);
  }

  if (!GeraetedateiSpeicherbar(p.definition, p.texte, u_.dezimal)) {
    Tolvek::Fehlerbehandlung(kLabelSpeichern, Laufzeitfehler::kUngueltigerAufruf,
                             QStringLiteral("Ein Eingabefeld enthält ein Zeichen, das die Gerätedatei "
                                            "nicht speichern kann."));
    return {};
  }
  if (!GeraetedateiSchreiben(ziel, p.definition, p.texte, u_.dezimal)) {
    Tolvek::Fehlerbehandlung(kLabelSpeichern, Laufzeitfehler::kPfadZugriff,
                             QStringLiteral("Fehler beim Zugriff auf Pfad/Datei"));
    return {};
  }
  def = p.definition;
  u_.LetzteDatei = ziel;

  // The current device was edited: its new name in the table and the menu,
  // and selected again so that the change takes effect at once. A file the
  // table does not hold is left to the next folder scan.
  const int16_t menueIndex = u_.GeraetMenueIndex;
  const int16_t eintrag = GeraetIndexSuchen(QString(), ziel);
  if (menueIndex > 0 && eintrag > 0) {
    GeraetEintrag& e = geraeteZustand().Geraete[static_cast<size_t>(eintrag)];
    e.Bezeichnung = def.GeraeteNamePub;
    e.Datei = ziel;
    if (u_.menuepunktBeschriften) u_.menuepunktBeschriften(menueIndex, def.GeraeteNamePub);
    if (u_.mnuMessgeraete_Click) u_.mnuMessgeraete_Click(menueIndex);
  }
  return {true, EditorFeld::Keins};
}

std::optional<QString> dateinameAnnehmen(const QString& eingabe, const QString& ordner, Meldungen& meldungen) {
  if (eingabe.isEmpty()) {
    meldungen.hinweis(QStringLiteral("Geben Sie bitte einen Dateinamen ein!"));
    return std::nullopt;
  }
  QString datei = eingabe;
  if (datei.right(4).toLower() != u".ger") datei += QStringLiteral(".ger");

  // Only a plain name in the folder: no path, no character that a file name
  // cannot hold on any of the systems the files travel between.
  static const QString kVerboten = QStringLiteral("/\\:*?\"<>|");
  bool gueltig = !datei.chopped(4).trimmed().isEmpty() && istCp1252(datei);
  for (QChar c : datei) {
    if (c.unicode() < 32 || kVerboten.contains(c)) gueltig = false;
  }
  if (!gueltig) {
    meldungen.hinweis(QStringLiteral("Ein Fehler ist aufgetreten! Überprüfen Sie Ihre Eingaben."));
    return std::nullopt;
  }

  if (QFileInfo::exists(QDir(ordner).filePath(datei))) {
    const Antwort a = meldungen.zeigen(QStringLiteral("Die Datei ist bereits vorhanden! Überschreiben?"),
                                       kAnwendungstitel, Knoepfe::JaNein, Symbol::Keins, Antwort::Ja);
    if (a != Antwort::Ja) return std::nullopt;
  }
  return datei;
}

}  // namespace pv
