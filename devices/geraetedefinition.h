#pragma once

#include <QChar>
#include <QString>
#include <array>
#include <cstdint>

namespace pv {

// How one instrument talks to the program. Character positions are 1-based
// positions in the received record; 0 means the item is absent. The comment
// of each field names its key in the device file.
struct Geraetedefinition {
  QString GeraeteNamePub;              // "Bezeichnung": name in the "Messgerät" menu
  int16_t GeraeteArtIndexPub = 0;      // "Geräteart": kind 0..5 (see Geraeteart)
  int16_t DatenstringLaengePub = 0;    // "Datenstringlänge": record length incl. terminator
  int16_t DatenAnfangPub = 0;          // "Messwertbeginn": first character of the value
  int16_t DatenEndePub = 0;            // "Messwertende": last character of the value
  int16_t VorzeichenStellePub = 0;     // "Vorzeichenstelle": sign position, 0 none
  int16_t Einheit1_0Pub = 0;           // "Einheit1 Beginn"
  int16_t Einheit1_1Pub = 0;           // "Einheit1 Ende"
  int16_t Einheit2_0Pub = 0;           // "Einheit2 Beginn"
  int16_t Einheit2_1Pub = 0;           // "Einheit2 Ende"
  int16_t LZAsciiPub = 0;              // "Datenstringabschlusszeichen": code ending each record
  float MBVollPub = 0;                 // "Skala Maximum": full-scale value
  QString ComSettingPub;               // "Schnittstellenparameter": "9600,n,8,1" or "USB"
  int16_t ComRTSPub = 0;               // "RTS": 1 on, 0 off
  int16_t ComDTRPub = 0;               // "DTR": 1 on, 0 off
  bool GeraetAktivPub = false;         // "Gerät aktiv": sends by itself (else polled)
  QString DatenTransferZeichenPub;     // "Datenanforderungszeichen": request string
  float DatenTransferZeitPub = 0;      // "Wartezeit": seconds between requests, 0..65
  QString BildDateiPub;                // "Bilddatei": picture path, empty when none
  bool MBAutoPub = false;              // "Messbereich manuell" inverted: range recognised
  int16_t ZeichenStelleOptionPub = 0;  // "Messbereich Erkennung": 1 unit 1, 2 unit 2, 3 position
  int16_t ZeichenStellePub = 0;        // "Messbereich Zeichenposition": 0 when not set
  // "Messbereich Zeichen 0".."5": marks of Mega, Kilo, Milli, Mikro, Nano, Piko.
  std::array<QString, 6> MBZeichenPub;
  QString SpezialPub;                  // "Spezial": tag of a built-in model decoder
  int16_t ImMenue = 0;                 // "Menü": 1 offered in the "Messgerät" menu

  // All seven field positions 0: the acquisition finds the record format itself.
  bool autoFormat() const {
    return DatenAnfangPub == 0 && DatenEndePub == 0 && VorzeichenStellePub == 0 &&
           Einheit1_0Pub == 0 && Einheit1_1Pub == 0 && Einheit2_0Pub == 0 && Einheit2_1Pub == 0;
  }

  bool operator==(const Geraetedefinition&) const = default;
};

// Device kinds (GeraeteArtIndexPub).
enum Geraeteart : int16_t {
  kDmm3_5 = 0,   // "DMM 3 1/2 stellig (19990)"
  kDmm3_75 = 1,  // "DMM 3 3/4 stellig (39990)"
  kDmm4_5 = 2,   // "DMM 4 1/2 stellig (199990)"
  kDmm4_75 = 3,  // "DMM 4 3/4 stellig (399990)"
  kWaage = 4,
  kSonstiges = 5,
};

// The default range characters: Mega, Kilo, Milli, Mikro, Nano, Piko.
inline std::array<QString, 6> standardMBZeichen() {
  return {QStringLiteral("M"), QStringLiteral("k"), QStringLiteral("m"),
          QStringLiteral("u"), QStringLiteral("n"), QStringLiteral("p")};
}

// Three keys of the device file hold the user's input as typed rather than
// the converted field ("r" and "13" both give terminator 13, "" and "0" both
// give waiting time 0). Reading a file fills these texts and writing uses
// them, so a file read and written again stays byte for byte the same.
struct GeraeteEingabetexte {
  QString abschlusszeichen;  // "Datenstringabschlusszeichen"
  QString wartezeit;         // "Wartezeit"
  QString zeichenposition;   // "Messbereich Zeichenposition"

  bool operator==(const GeraeteEingabetexte&) const = default;
};

// Whether a number is a terminator code: a character code 0..255.
inline bool istAbschlusscode(double code) { return code >= 0 && code <= 255; }

// A terminator code as the editor shows it: "R" for 13, "L" for 10, any
// other code in decimal.
QString abschlusszeichenText(int16_t code);

// Texts for a definition that has none of its own (an old-generation file, a
// definition built in code): terminator 13 "R", 10 "L", any other code in
// decimal; the waiting time as a number with the given decimal separator; the
// range character position in decimal, empty when 0.
GeraeteEingabetexte eingabetexteAus(const Geraetedefinition& def, QChar dezimal);

}  // namespace pv
