#include "drucklayout.h"

#include <algorithm>
#include <cmath>

#include "common/geprueft.h"
#include "common/zahlen.h"
#include "views/grafiklogik.h"

namespace pv {

std::optional<GrafikEinstellungen> druckeinstellungen(const GrafikEinstellungen& grafik, bool schemaDrucker,
                                                      const DarstellungsSchema& schema5, const Drucklayout& l,
                                                      QSizeF seite) {
  GrafikEinstellungen r = grafik;
  if (schemaDrucker) schemaAnwenden(r, schema5);
  // Margins all 0 are drawn as the plotting routine's defaults.
  if (r.RandLinks == 0 && r.RandRechts == 0 && r.RandOben == 0 && r.RandUnten == 0) {
    r.RandLinks = 0.2f;
    r.RandRechts = 0.1f;
    r.RandOben = 0.2f;
    r.RandUnten = 0.2f;
  }
  const double dx = r.XMax - r.XMin;
  const double dy = r.YMax - r.YMin;
  if (!(l.breite > 0) || !(l.hoehe > 0) || dx == 0 || dy == 0) return std::nullopt;
  // Millimetres that one axis span takes on paper.
  const double kx = l.breite / (1.0 + r.RandLinks + r.RandRechts);
  const double ky = l.hoehe / (1.0 + r.RandOben + r.RandUnten);
  const double pw = seite.width();
  const double ph = seite.height();
  if (l.horizontalZentriert) {
    r.ZusatzLinks = r.ZusatzRechts = static_cast<float>((pw - l.breite) * 0.5 / kx);
  } else {
    r.ZusatzLinks = static_cast<float>(l.linkerRand / kx);
    r.ZusatzRechts = static_cast<float>((pw - l.breite) / kx - r.ZusatzLinks);
  }
  if (l.vertikalZentriert) {
    r.ZusatzOben = r.ZusatzUnten = static_cast<float>((ph - l.hoehe) * 0.5 / ky);
  } else {
    r.ZusatzOben = static_cast<float>(l.obererRand / ky);
    r.ZusatzUnten = static_cast<float>((ph - l.hoehe) / ky - r.ZusatzOben);
  }
  r.SchrittweiteAutomatisch = false;
  return r;
}

int16_t schriftgroesseSkaliert(int16_t groesse, double hoehenverhaeltnis, double f) {
  if (groesse <= 0) return groesse;
  return ganzzahl16(std::fabs(hoehenverhaeltnis) * groesse * f).value_or(groesse);
}

void schriftenSkalieren(GrafikEinstellungen& r, double hoehenverhaeltnis, double f) {
  r.SchriftgroesseTitel = schriftgroesseSkaliert(r.SchriftgroesseTitel, hoehenverhaeltnis, f);
  r.SchriftgroesseAchsen = schriftgroesseSkaliert(r.SchriftgroesseAchsen, hoehenverhaeltnis, f);
}

double seitenanteil(const Drucklayout& l, QSizeF seite) {
  return l.breite / std::max(seite.width(), seite.height());
}

QSize seitenkasten(bool querformat, QSizeF seite, int flaeche) {
  // Whole pixels, cut off.
  const auto laenge = [flaeche](double verhaeltnis) {
    return geprueft::int32(std::trunc(std::fabs(verhaeltnis) * flaeche));
  };
  if (querformat) return {flaeche, laenge(seite.height() / seite.width())};
  return {laenge(seite.width() / seite.height()), flaeche};
}

std::pair<QString, QString> seitenfelder(bool querformat, QSizeF seite) {
  const auto mm = [](double wert) { return QString::number(rundeHalbGerade(wert), 'f', 0); };
  return {mm(seite.width()), mm(querformat ? seite.height() : seite.height() / 2)};
}

}  // namespace pv
