#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace pv {

// One display scheme of the graph window and the printout.
struct DarstellungsSchema {
  int16_t Liniendicke = 0;        // line width of the measured curve, pixels
  int16_t Messpunktgroesse = 0;   // size of a drawn measuring point, pixels
  int16_t LiniendickeAchsen = 0;  // line width of the axes
  int16_t LiniendickeGitter = 0;  // line width of the grid
  uint32_t FarbeHintergrund = 0;       // colours 0x00BBGGRR
  uint32_t FarbeZeichnungsflaeche = 0;
  uint32_t FarbeTextLinien = 0;
  uint32_t FarbeMesskurve = 0;

  bool operator==(const DarstellungsSchema&) const = default;
};

// Everything the settings file "Pelvaron.ini" keeps, as one plain record.
// The main window copies its variables and controls into it before writing
// and applies it after reading, after the factory defaults or after the
// conversion of the old settings file.
//
// A default-constructed record holds the values the start-up sequence gives
// before the settings are read (the graph's automatic ranges and grid
// spacings on, font "Arial", automatic step); every other value is zero,
// False or empty, except `Messbereich`, which is the "Standard" button
// (factor 1) rather than "Mega".
struct Einstellungen {
  // --- top of the file ---
  QString AktuellesMessgeraet;  // name of the current device, empty when none
  int16_t ComPortNummer = 0;    // "Serielle Schnittstelle": the serial port's number
  QString OrdnerMessungen;      // folder of the measurement files

  // --- [Zuletzt geöffnete Dateien] ---
  int16_t LetzteDateienAnzahl = 0;  // number of recent-file slots (1..16 after reading)
  // Captions of the loaded recent-file menu elements 1, 2, ... in order
  // (element n is LetzteDateien[n - 1]); empty slots are never kept.
  QStringList LetzteDateien;
  QString DruckerName;
  int16_t Computerbild = 0;  // PC picture 0..2
  bool DatenlinieAnimation = false;
  int16_t Animationsart = 0;
  int16_t BarGraphAktiviert = 0;  // level-bar mode 0..3

  // --- [Darstellungs-Schemata] ---
  std::array<DarstellungsSchema, 6> Schemata{};  // index 1..5; 0 unused
  int16_t SchemaDrucker = 0;                     // 1: printing uses scheme 5

  // --- [Grafikeinstellungen]: AktuellesSchema, then fields of GrafikParameter ---
  int16_t AktuellesSchema = 0;
  int16_t MesswerteVerbunden = 0;  // 1/0
  int16_t MesspunkteAnzeigen = 0;  // 1/0
  bool GitterX = false;
  bool MinMaxAutoX = true;
  float XMin = 0;
  float XMax = 0;
  bool GitterabstandAutoX = true;
  float GitterabstandX = 0;
  bool GitterY = false;
  bool MinMaxAutoY = true;
  bool GitterabstandAutoY = true;
  float GitterabstandY = 0;
  float YMin = 0;
  float YMax = 0;
  QString Schriftart = QStringLiteral("Arial");
  bool SchriftbildFett = false;
  int16_t SchriftgroesseTitel = 0;   // 0 automatic
  int16_t SchriftgroesseAchsen = 0;  // 0 automatic

  // --- [Messung] (times in seconds) ---
  bool MessendeAutomatisch = false;
  float Messdauer = 0;
  bool ZwischenspeichernAutomatisch = false;
  float ZwischenspeichernZeit = 0;
  QString ZwischenspeichernDatei;
  int16_t TimeOutON = 0;  // 1/0
  float TimeOutTime = 0;
  int16_t CheckMinON = 0;  // 1/0
  float CheckMin = 0;
  int16_t CheckMaxON = 0;  // 1/0
  float CheckMax = 0;

  // --- [Zahlenformat] ---
  // The formats also go into XZahlenformat/XNachkommastellen and
  // YZahlenformat/YNachkommastellen of GrafikParameter.
  int16_t XZahlenformatnummer = 0;
  int16_t XNachkommastellen = 0;
  QString XBezeichnung;
  int16_t XBeschriftungManuell = 0;
  int16_t YZahlenformatnummer = 0;
  int16_t YNachkommastellen = 0;
  QString YBezeichnung;

  // --- [Programmeinstellungen] ---
  float Wartezeit = 0;  // seconds; TextAufzPause shows it
  int16_t Messbereich = 6;  // index of the order-of-magnitude button 0..7
  // The processing option: 1 device value (OptionMWMessgerät), 2 linear
  // function (OptionLinear), 3 sensor characteristic (OptionFühler).
  int16_t Messwertverarbeitung = 1;
  QString TextM;  // "Linear m": text of the input box, not the value
  QString TextT;  // "Linear t"
  QString Sensordatei;
  QString Sensorname;
  QString TextMessBezeichnung;  // "Bezeichnung"
  QString TextPhysGr;           // "Physikalische Größe"
  QString TextZeichen;          // "Zeichen"
  QString TextEinheit;          // "Einheit"
  int16_t OptionalerFrame = 0;  // tab 0 or 1 of the option frame
  // "Displayanzeige Auswahl": 1 OptionWert1 selected, 0 OptionWert2.
  int16_t DisplayanzeigeAuswahl = 0;
  bool Tooltipps = false;

  // --- [Einstellungen Display] ---
  bool OptionMesswert = false;
  int16_t LEDLCD = 0;
  int16_t DisplaySchriftFett = 0;
  int16_t DisplaySchriftDigital = 0;
  QString DisplaySchriftDigitalfont;
  bool DisplayHell = false;

  // --- not in the file ---
  // Set by the factory defaults and the conversion; the file keeps only the
  // texts of the two factor boxes.
  float LinearM = 0;
  float LinearT = 0;
  bool SchrittweiteAutomatisch = true;  // of GrafikParameter
  int32_t Schrittweite = 0;             // of GrafikParameter
  int16_t StandardGeraetNr = 0;  // old built-in device number, from "Pelvar.ini"
  // True when the reader has taken the settings from the file and the tool
  // tips are on: the window then sets the tool-tip texts (ToolTippsSetzen 1).
  bool ToolTippsSetzen = false;

  bool operator==(const Einstellungen&) const = default;
};

}  // namespace pv
