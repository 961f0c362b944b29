#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>

#include "acquisition/normdatensatz.h"

namespace pv {

// The current device as the acquisition works with it: the receive, polling
// and evaluation code read these fields, and the device selection writes the
// device's part as a whole (geraeteauswahl.h). Character positions are
// 1-based positions in the received record; 0 means the item is absent.
//
// The name of the current device, AktuellesMessgeraet, is kept with the
// device table (devices/geraetetabelle.h, geraeteZustand()); the selection
// sets it there.
struct Erfassungszustand {
  // --- Set by the device selection from the device definition ---
  QString MessgeraetBezeichnung;        // name of the current device
  int16_t Geraeteart = 0;               // device kind 0..5
  int16_t Messwertbeginn = 0;           // first character of the value
  int16_t Messwertende = 0;             // last character of the value
  int16_t Datenstringlaenge = 0;        // record length, terminator included (2..200)
  int16_t Vorzeichenstelle = 0;         // position of the sign character
  std::array<int16_t, 2> Einheit1Pos{}; // unit field 1: begin, end
  std::array<int16_t, 2> Einheit2Pos{}; // unit field 2: begin, end
  // The record format is found automatically: the seven positions above
  // (value begin and end, sign, both ends of both unit fields) are all 0.
  bool AutoFormat = false;
  int16_t LZAscii = 0;                  // character code 0..255 ending a record
  float SkalaMaximumGeraet = 0;         // full-scale value of the device
  bool USBGeraet = false;               // the USB meter: settings text "USB"
  // Serial devices only; a USB device leaves the last serial values here.
  QString Schnittstellenparameter;      // "9600,n,8,1"
  int16_t RTS = 0;                      // 1 = RTS line on
  int16_t DTR = 0;                      // 1 = DTR line on
  bool GeraetAktiv = false;             // sends by itself; false: must be asked
  QString Datenanforderungszeichen;     // request as the file gives it (or the special one)
  QString Datenanforderung;             // request ready to send: one character per byte,
                                        // codes 128..255 as their Windows-1252 characters
  float Abfrageintervall = 0;           // seconds between two requests
  QString Bilddatei;                    // picture of the device
  bool MessbereichAutomatisch = false;  // the range is recognised from the record
  int16_t MessbereichErkennung = 0;     // 1 unit 1, 2 unit 2, 3 fixed position
  int16_t MessbereichZeichenposition = 0; // the position for recognition 3
  // Range characters Mega, Kilo, Milli, Mikro, Nano, Piko; index 6 stays empty.
  std::array<QString, 7> MessbereichZeichen;
  QString Spezial;                      // built-in model decoder tag, or empty

  // --- Connection (connect button; the COM number is the port's own) ---
  bool Verbunden = false;               // a connection is open
  bool VerbindungFehlgeschlagen = false; // the last connect or disconnect failed

  // --- Receiving and evaluating records ---
  QByteArray DataCol;                   // receive buffer of the serial framing (bytes as received)
  bool EmpfangAktiv = false;            // busy flag of the continuous-mode receive

  bool operator==(const Erfassungszustand&) const = default;
};

// A record read by a built-in model decoder sets the device's field
// positions (units, sign, value) to its record's, until the next record or
// the next device selection; the large display fits its fonts to them.
inline void feldpositionenUebernehmen(const Datensatzlayout& layout, Erfassungszustand& zustand) {
  zustand.Einheit1Pos = layout.Einheit1Pos;
  zustand.Einheit2Pos = layout.Einheit2Pos;
  zustand.Vorzeichenstelle = layout.Vorzeichenstelle;
  zustand.Messwertbeginn = layout.Messwertbeginn;
  zustand.Messwertende = layout.Messwertende;
}

// The acquisition's shared variables, in one place for the whole run.
struct Erfassungsmodul {
  Erfassungszustand zustand;
  // Menu index of the device the device editor was opened for from the
  // "Messgerät" menu or after a failed selection; 0 at start, -1 after the
  // editor closed.
  int16_t GeraetMenueIndex = 0;
  // Inner size of the device picture area, set once at start-up; the
  // selection fits the device picture into it.
  int32_t MessgeraetBildHMax = 0;
  int32_t MessgeraetBildWMax = 0;
  // The order of magnitude chosen by the range buttons: the button's index
  // 0..7 and the factor every device value is multiplied by.
  int16_t Messbereich = 6;
  double Faktor = 1.0;
};

// Whether the device's decoder tag ("Spezial") begins with `kennung`; the
// tags are compared in exact case unless a rule says otherwise.
inline bool spezialBeginnt(QStringView spezial, QStringView kennung,
                           Qt::CaseSensitivity fall = Qt::CaseSensitive) {
  return spezial.startsWith(kennung, fall);
}

// The display-segment meters (tag beginning with VC820 or DT4000ZC, in any
// case): their records are 14 bytes and end with the byte whose three top
// bits are set.
inline bool segmentGeraet(const QString& spezial) {
  return spezialBeginnt(spezial, u"VC820", Qt::CaseInsensitive) ||
         spezialBeginnt(spezial, u"DT4000ZC", Qt::CaseInsensitive);
}
inline constexpr qsizetype kSegmentDatensatzLaenge = 14;

inline Erfassungsmodul& erfassungsmodul() {
  static Erfassungsmodul modul;
  return modul;
}

}  // namespace pv
