#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <optional>

#include "common/meldungen.h"

namespace pv {

// The range of value numbers a list or an export covers: from, to, and the
// step (every n-th value). Value numbers are 1-based.
struct Bereich {
  int32_t von = 1;
  int32_t bis = 0;
  int32_t schritt = 1;

  // The number of values i = von, von + schritt, ... <= bis.
  int32_t anzahl() const { return bis < von ? 0 : (bis - von) / schritt + 1; }
  // The value number of the r-th listed value (r from 0).
  int32_t nummer(int32_t r) const { return von + r * schritt; }
  // The same range held to the values 1..m, with a step of at least 1.
  Bereich begrenzt(int32_t m) const {
    return {std::max<int32_t>(von, 1), std::min<int32_t>(bis, m), std::max<int32_t>(schritt, 1)};
  }
};

// The field a refusal sends the focus to.
enum class Eingabefeld { Keins, Von, Bis, Schritt };

// A refusal of the user's range: the message box and where the focus goes.
struct Ablehnung {
  QString text;
  Eingabefeld fokus = Eingabefeld::Keins;
  Symbol symbol = Symbol::Keins;
  QString titel = kAnwendungstitel;
};

// Either the checked range or the first refusal.
struct Bereichspruefung {
  std::optional<Bereich> bereich;
  Ablehnung ablehnung;  // meaningful only without a range
  bool gueltig() const { return bereich.has_value(); }
};

// A refusal with its message, focus, symbol and title.
Bereichspruefung bereichAbgelehnt(const QString& text, Eingabefeld fokus = Eingabefeld::Keins,
                                  Symbol symbol = Symbol::Keins, const QString& titel = kAnwendungstitel);

// A field's text as a 32-bit whole number, the way the range fields are
// read: any number the user may type (blanks around it, either decimal
// mark), rounded half to even. Empty when the text is no number or does not
// fit.
std::optional<int32_t> ganzzahlLesen(const QString& text, QChar dezimaltrennzeichen);

// The whole-number fields take back a "," or "." typed after digits: the
// text without that last character when the text reads as a whole number
// ending in "," or "."; otherwise the text as it is.
QString ganzzahlFilter(const QString& text, QChar dezimaltrennzeichen);

// The step the table window proposes when it becomes active: m / 10000, at
// least 1, rounded half to even, so a list holds about 10,000 rows at most.
int32_t standardSchritt(int32_t m);

// The most data rows one fill of the table lists.
inline constexpr int32_t kTabelleMaxZeilen = 65535;

// Checks the table window's fields against a measurement of m values, in
// the order the user is told about problems: no values, an empty field,
// unreadable "Von" and "Bis", "Von" below 1, "Bis" beyond m, "Von" not
// below "Bis", an unreadable step (a step below 1 counts as 1), and more
// than 65535 rows.
Bereichspruefung tabellenbereichPruefen(const QString& von, const QString& bis, const QString& schritt, int32_t m,
                                        QChar dezimaltrennzeichen);

// The header row of the table: "Nr.", the x-axis title, and the quantity
// with the y prefix and the unit in brackets ("Spannung (mV)").
QStringList tabellenKopf(const QString& xBezeichnung, const QString& physGr, const QString& yBezeichnung,
                         const QString& einheit);

}  // namespace pv
