#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

#include "devices/geraetedefinition.h"

namespace pv {

// What the device editor's controls hold: texts of the boxes and lists, the
// set option buttons and the check boxes. The defaults are the editor's load
// state, the look of a new device.
struct GeraeteEingaben {
  enum class Transfer { Keiner, Aktiv, Passiv };
  enum class Messbereich { Keiner, Automatisch, Manuell };

  QString GerBezText;
  int OptionGeraet = -1;  // index 0..5 of the set kind button, -1 none
  QString TextMBVoll = QStringLiteral("99999");
  QString txtDatenStringLaenge;
  QString txtMesswertStart;
  QString txtMesswertStop;
  QString txtVorzeichenStelle;
  QString txtEinheit1_0;
  QString txtEinheit1_1;
  QString txtEinheit2_0;
  QString txtEinheit2_1;
  QString txtLetzteZeichen;
  QString Baud = QStringLiteral("1200");
  QString Paritaet = QStringLiteral("none (keine)");
  QString Datenbits = QStringLiteral("7");
  QString Stopbits = QStringLiteral("2");
  bool chkRTS = false;
  bool chkDTR = false;
  Transfer transfer = Transfer::Keiner;
  QString TextTransferzeichen;
  QString TextDatenTransferZeit;
  QString TextBildDateiEigenGeraet;
  Messbereich messbereich = Messbereich::Keiner;
  int OptionZeichenStelle = 0;  // 1, 2 or 3; 0 none
  QString TextZeichenStelle;
  std::array<QString, 6> TextMBZeichen = standardMBZeichen();

  bool operator==(const GeraeteEingaben&) const = default;
};

// The box a check message sends the focus to.
enum class EditorFeld {
  Keins,
  txtDatenStringLaenge,
  txtMesswertStart,
  txtMesswertStop,
  txtVorzeichenStelle,
  txtEinheit1_0,
  txtEinheit1_1,
  txtEinheit2_0,
  txtEinheit2_1,
  txtLetzteZeichen,
};

// What the checks need besides the controls.
struct PruefUmfeld {
  int16_t index = 0;            // 0 "Gerät speichern unter ...", 1 "Änderungen speichern"
  QStringList vorhandeneNamen;  // names of the device table (compared for index 0 only)
  QString spezial;              // the decoder tag the editor was loaded with
  int16_t imMenue = 0;          // the menu flag it was loaded with (index 0 saves 1)
  bool bildVorhanden = false;   // the picture box names an existing file
  QChar dezimal = u',';         // the system's decimal separator
};

// The outcome of the checks: a message (and the box to focus), or the
// definition and the typed texts that the device file gets. An accepted
// definition is exactly what reading the written file gives back.
struct GeraetePruefung {
  QString meldung;
  EditorFeld fokus = EditorFeld::Keins;
  Geraetedefinition definition;
  GeraeteEingabetexte texte;

  bool ok() const { return meldung.isEmpty(); }
};

// Runs the editor's checks in their fixed order and stops at the first fault:
// name (unique among the devices for "speichern unter"), kind, the record
// format (length 2..200, value, sign and unit positions inside the record,
// all seven 0 for the automatic format), the terminator (a code 0..255 or R
// or L in either case), the full scale (fixed for the DMM kinds, else the
// leading number of its box, "." or "," as decimal mark), the serial settings
// (checked as text; no port is touched), the transfer mode with request and
// waiting time 0..65, the picture, the range recognition and its six
// distinct single characters. A waiting time or recognition position that
// is typed but is not a number (the position: a whole number) is refused in
// any mode, so that every saved file reads back.
GeraetePruefung GeraetPruefen(const GeraeteEingaben& e, const PruefUmfeld& u);

// The checks of the record format alone, as GeraetPruefen runs them after
// name and kind: the positions read from their boxes, the record length
// 2..200, and the value, sign and unit positions inside the record (all
// seven 0 for the automatic format). The first fault's message and box, or
// the positions read into `definition`.
GeraetePruefung DatensatzformatPruefen(const GeraeteEingaben& e, QChar dezimal);

// The fixed full scale a DMM kind (0..3) has; empty for "Waage" and
// "Sonstiges Gerät", whose box the user fills.
QString dmmSkalaText(int art);
// The same as a number.
std::optional<float> dmmSkala(int art);

// The settings text the serial lists make: baud, the parity's first letter,
// data bits and stop bits ("9600,n,8,1"), or "USB" when the baud box says so.
QString schnittstellenTextAus(const GeraeteEingaben& e);

}  // namespace pv
