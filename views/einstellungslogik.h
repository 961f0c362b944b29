#pragma once

#include <QChar>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "common/plotten.h"
#include "main/einstellungen.h"

// What the settings dialog "Einstellungen" shows and stores, without the
// dialog: its controls as plain values, filled from the settings, checked
// and stored back.
namespace pv {

struct Schemafelder {
  QString liniendicke;
  QString messpunktgroesse;
  QString liniendickeAchsen;
  QString liniendickeGitter;
  // Background, plotting area, text and lines, curve (0x00BBGGRR).
  std::array<uint32_t, 4> farben{};
};

struct Einstellungsfelder {
  std::array<Schemafelder, 6> schemata;  // 1..5
  bool schemaDrucker = false;
  QString nachkommastellenX;
  QString nachkommastellenY;
  int xFormat = 0;  // time option 0..6 (code - 10); -1 none chosen
  int yFormat = 0;  // value option 0..7 (the code); -1 none chosen
  QString xBeschriftung;
  int xBeschriftungManuell = 0;  // 0 "automatisch", 1 "manuell"
  QString schriftart;
  bool fett = false;
  bool titelGroesseAuto = true;
  QString titelGroesse;
  bool achsenGroesseAuto = true;
  QString achsenGroesse;
  bool bargraphAktiviert = false;
  bool bargraphWertMax = false;
  bool bargraphProzent = false;
};

// The controls as the stored settings fill them. Format codes out of range
// choose the nearest option.
Einstellungsfelder einstellungsfelderLaden(const Einstellungen& e, const GrafikEinstellungen& p);

// The first failing check's message; empty when everything may be stored.
std::optional<QString> einstellungsfelderPruefen(const Einstellungsfelder& f, QChar dezimaltrennzeichen);

// Stores checked fields into the settings and the graph's record; returns
// the number format codes from before (x, y).
std::pair<int16_t, int16_t> einstellungsfelderSpeichern(const Einstellungsfelder& f, Einstellungen& e,
                                                        GrafikEinstellungen& p, QChar dezimaltrennzeichen);

// The automatic x title of a time option ("Zeit" for none).
QString xTitelAutomatisch(int xFormat);
// The unit prefix of a y format code: "M", "k", "m", "µ", "n", "p" for 2..7.
QString yVorsatz(int16_t code);

}  // namespace pv
