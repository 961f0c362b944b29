#include "ansichtenzustand.h"

#include <QFileInfo>

#include "common/dateiauswahl.h"
#include "main/hauptzustand.h"
#include "views/grafiklogik.h"

namespace pv {

Ansichtenzustand& ansichtenzustand() {
  static Ansichtenzustand zustand;
  return zustand;
}

QString grafikexportDatei(QWidget* eltern, const QString& titel, const QString& vorschlag, const QString& filter,
                          const QString& endung) {
  QString& gemerkt = ansichtenzustand().OrdnerGrafikexport;
  QString ordner = gemerkt.isEmpty() ? hauptmodul().einstellungen.OrdnerMessungen : gemerkt;
  const QString datei = dateiauswahl().dateiZumSchreiben(eltern, titel, ordner, vorschlag, filter, endung);
  // Not the program folder, which the dialogs never remember.
  if (!datei.isEmpty() && ordner == QFileInfo(datei).absolutePath()) gemerkt = ordner;
  return datei;
}

void grafikParameterAusEinstellungen(const Einstellungen& e) {
  GrafikEinstellungen& p = grafikParameter();
  p.MesswerteVerbunden = e.MesswerteVerbunden;
  p.MesspunkteAnzeigen = e.MesspunkteAnzeigen;
  p.GitterX = e.GitterX;
  p.MinMaxAutoX = e.MinMaxAutoX;
  p.XMin = e.XMin;
  p.XMax = e.XMax;
  p.GitterabstandAutoX = e.GitterabstandAutoX;
  p.GitterabstandX = e.GitterabstandX;
  p.GitterY = e.GitterY;
  p.MinMaxAutoY = e.MinMaxAutoY;
  p.GitterabstandAutoY = e.GitterabstandAutoY;
  p.GitterabstandY = e.GitterabstandY;
  p.YMin = e.YMin;
  p.YMax = e.YMax;
  p.Schriftart = e.Schriftart;
  p.SchriftbildFett = e.SchriftbildFett;
  p.SchriftgroesseTitel = e.SchriftgroesseTitel;
  p.SchriftgroesseAchsen = e.SchriftgroesseAchsen;
  p.XZahlenformat = e.XZahlenformatnummer;
  p.XNachkommastellen = e.XNachkommastellen;
  p.YZahlenformat = e.YZahlenformatnummer;
  p.YNachkommastellen = e.YNachkommastellen;
  p.SchrittweiteAutomatisch = e.SchrittweiteAutomatisch;
  p.Schrittweite = e.Schrittweite;
  if (e.AktuellesSchema >= 1 && e.AktuellesSchema <= 5) schemaAnwenden(p, e.Schemata[e.AktuellesSchema]);
}

void grafikParameterInEinstellungen(Einstellungen& e) {
  const GrafikEinstellungen& p = grafikParameter();
  e.MesswerteVerbunden = p.MesswerteVerbunden;
  e.MesspunkteAnzeigen = p.MesspunkteAnzeigen;
  e.GitterX = p.GitterX;
  e.MinMaxAutoX = p.MinMaxAutoX;
  e.XMin = p.XMin;
  e.XMax = p.XMax;
  e.GitterabstandAutoX = p.GitterabstandAutoX;
  e.GitterabstandX = p.GitterabstandX;
  e.GitterY = p.GitterY;
  e.MinMaxAutoY = p.MinMaxAutoY;
  e.GitterabstandAutoY = p.GitterabstandAutoY;
  e.GitterabstandY = p.GitterabstandY;
  e.YMin = p.YMin;
  e.YMax = p.YMax;
  e.Schriftart = p.Schriftart;
  e.SchriftbildFett = p.SchriftbildFett;
  e.SchriftgroesseTitel = p.SchriftgroesseTitel;
  e.SchriftgroesseAchsen = p.SchriftgroesseAchsen;
  e.SchrittweiteAutomatisch = p.SchrittweiteAutomatisch;
  e.Schrittweite = p.Schrittweite;
}

}  // namespace pv
