#include "plotten.h"

#include <QFont>
#include <QLineF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <limits>

#include "allgemein.h"
#include "farben.h"
#include "laufzeitfehler.h"
#include "plotten_achsen.h"
#include "zahlen.h"
#include "zahlenformat.h"

namespace Tolvek {

GrafikZustand& grafikZustand() {
  static GrafikZustand z;
  return z;
}

namespace {

using pv::Zeichenflaeche;

[[noreturn]] void ueberlauf() {
  throw pv::Laufzeitfehler(pv::Laufzeitfehler::kUeberlauf, QStringLiteral("Überlauf"));
}

int16_t int16(double x) {
  const auto i = pv::ganzzahl16(x);
  if (!i) ueberlauf();
  return *i;
}

int32_t int32(double x) {
  const auto i = pv::ganzzahl32(x);
  if (!i) ueberlauf();
  return *i;
}

float single(double x) {
  const auto f = pv::alsSingle(x);
  if (!f) ueberlauf();
  return *f;
}

QFont schrift(const QString& familie, double punkte, bool fett) {
  QFont f(familie);
  // Qt takes no size of 0; a surface this small shows no readable text anyway.
  f.setPointSizeF(std::max(punkte, 0.5));
  f.setBold(fett);
  return f;
}

// The dashes of one dashed line, appended in pixels.
void strichePixel(const Zeichenflaeche& ziel, double strich, double luecke, double x1, double y1, double x2,
                  double y2, std::vector<QLineF>& aus) {
  if (y1 == y2) {
    for (const auto& [a, b] : pv::strichabschnitte(x1, x2, strich, luecke))
      aus.emplace_back(ziel.zuPixel(a, y1), ziel.zuPixel(b, y1));
  } else {
    for (const auto& [a, b] : pv::strichabschnitte(y1, y2, strich, luecke))
      aus.emplace_back(ziel.zuPixel(x1, a), ziel.zuPixel(x1, b));
  }
}

// Cuts the line a-b to the rectangle (Liang-Barsky); false when no part of
// it lies inside.
bool abschneiden(QPointF& a, QPointF& b, const QRectF& r) {
  const double dx = b.x() - a.x();
  const double dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
  double t0 = 0;
  double t1 = 1;
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const QPointF anfang = a;
  if (t0 > 0) a = anfang + t0 * (b - anfang);
  if (t1 < 1) b = anfang + t1 * (b - anfang);
  return true;
}

// Collects the connecting lines of the values into polylines in pixels.
// Consecutive points in one pixel column only lengthen that column's
// vertical run: its first, lowest, highest and last point, in their order,
// cover the same pixels as all of its points, so a dense series costs no
// more than one short polyline per column.
class Kurvenzug {
 public:
  Kurvenzug(Zeichenflaeche& ziel, const QColor& farbe, double breite) : ziel_(ziel), farbe_(farbe), breite_(breite) {}

  // The line a-b; anschliessend when a is where the previous line ended.
  void linie(const QPointF& a, const QPointF& b, bool anschliessend) {
    if (!anschliessend || zugLeer()) {
      beenden();
      punkt(a);
    }
    punkt(b);
    linien_ = true;
  }

  void beenden() {
    spalteAbschliessen();
    if (zug_.size() >= 2) {
      ziel_.linienzug(zug_, farbe_, breite_);
    } else if (zug_.size() == 1 && linien_) {
      ziel_.punkte(zug_, farbe_, breite_);  // a line of no length is a dot of its width
    }
    zug_.clear();
    linien_ = false;
  }

 private:
  bool zugLeer() const { return zug_.empty() && !spalteOffen_; }

  void punkt(const QPointF& p) {
    const double spalte = std::floor(p.x());
    if (spalteOffen_ && spalte == spalte_) {
      ++anzahl_;
      if (p.y() < min_.y()) {
        min_ = p;
        minNr_ = anzahl_;
      }
      if (p.y() > max_.y()) {
        max_ = p;
        maxNr_ = anzahl_;
      }
      letzter_ = p;
      return;
    }
    spalteAbschliessen();
    spalteOffen_ = true;
    spalte_ = spalte;
    erster_ = min_ = max_ = letzter_ = p;
    anzahl_ = minNr_ = maxNr_ = 1;
  }

  void spalteAbschliessen() {
    if (!spalteOffen_) return;
    anhaengen(erster_);
    if (anzahl_ > 1) {
      if (minNr_ <= maxNr_) {
        anhaengen(min_);
        anhaengen(max_);
      } else {
        anhaengen(max_);
        anhaengen(min_);
      }
      anhaengen(letzter_);
    }
    spalteOffen_ = false;
  }

  void anhaengen(const QPointF& p) {
    if (zug_.empty() || zug_.back() != p) zug_.push_back(p);
  }

  Zeichenflaeche& ziel_;
  QColor farbe_;
  double breite_;
  std::vector<QPointF> zug_;
  bool linien_ = false;
  bool spalteOffen_ = false;
  double spalte_ = 0;
  QPointF erster_, min_, max_, letzter_;
  int64_t anzahl_ = 0, minNr_ = 0, maxNr_ = 0;
};

struct Bereich {
  float xmin, xmax, ymin, ymax;
  bool xDrin(float x) const { return x >= xmin && x <= xmax; }
  bool yDrin(float y) const { return y >= ymin && y <= ymax; }
};

// Every schritt-th value in view as a dot (inside the range only) and, when
// connected, the line from the value schritt places before, which may lie
// before the view. A line is left out when both ends lie outside the x range
// or both outside the y range; otherwise it runs to its ends, into the
// margins if need be.
void werteZeichnen(Zeichenflaeche& ziel, const std::vector<float>& X, const std::vector<float>& Y,
                   const pv::SichtbareWerte& sichtbar, int32_t schritt, const Bereich& b,
                   const pv::GrafikEinstellungen& e, int f) {
  const QColor kurve = pv::farbe(e.FarbeMesskurve);
  const double punktGroesse = (e.MesspunkteAnzeigen != 0 ? std::max<int>(0, e.Messpunktgroesse) : 0) * f + 1;
  const double linienBreite = std::max<int>(1, e.Liniendicke) * f;
  const bool verbinden = e.MesswerteVerbunden == 1;
  // Far-off ends are cut well outside the surface: the look stays, and the
  // painter gets no coordinates beyond its reach.
  const double w = ziel.breite(), h = ziel.hoehe();
  const QRectF rahmen(-w, -h, 3 * w, 3 * h);

  std::vector<QPointF> punkte;
  Kurvenzug zug(ziel, kurve, linienBreite);
  int64_t zugEnde = -1;  // index of the value the polyline ends at
  for (int64_t i = sichtbar.erster; i <= sichtbar.letzter; i += schritt) {
    const float xi = X[i];
    const float yi = Y[i];
    const QPointF p = ziel.zuPixel(xi, yi);
    if (b.xDrin(xi) && b.yDrin(yi)) {
      // A dot on the previous dot's pixel adds nothing.
      if (punkte.empty() || std::floor(punkte.back().x()) != std::floor(p.x()) ||
          std::floor(punkte.back().y()) != std::floor(p.y()))
        punkte.push_back(p);
    }
    if (!verbinden || i <= schritt) continue;
    const int64_t k = i - schritt;
    const float xk = X[k];
    const float yk = Y[k];
    if (!std::isfinite(xk) || !std::isfinite(yk) || !std::isfinite(xi) || !std::isfinite(yi)) continue;
    if (!b.xDrin(xk) && !b.xDrin(xi)) continue;
    if (!b.yDrin(yk) && !b.yDrin(yi)) continue;
    QPointF a = ziel.zuPixel(xk, yk);
    QPointF e2 = p;
    if (rahmen.contains(a) && rahmen.contains(e2)) {
      zug.linie(a, e2, k == zugEnde);
      zugEnde = i;
    } else if (abschneiden(a, e2, rahmen)) {
      zug.linie(a, e2, false);
      zugEnde = e2 == p ? i : -1;
    }
  }
  zug.beenden();
  ziel.punkte(punkte, kurve, punktGroesse);
}

}  // namespace

void LinieGestrichelt(pv::Zeichenflaeche& ziel, double strichlaenge, double lueckenlaenge, double x1, double y1,
                      double x2, double y2, const QColor& farbe, double breite) {
  std::vector<QLineF> striche;
  strichePixel(ziel, strichlaenge, lueckenlaenge, x1, y1, x2, y2, striche);
  ziel.linien(striche, farbe, breite);
}

void RotierterText(pv::Zeichenflaeche& ziel, const pv::GrafikEinstellungen& einstellungen, int32_t x, int32_t y,
                   int32_t winkel, const QString& text, double schriftgroesse, const QColor& farbe) {
  QFont f;
  if (!einstellungen.Schriftart.isEmpty()) f.setFamily(einstellungen.Schriftart);
  // The character height in the device's pixels that the size in points
  // asks for, as a turned font is made.
  const auto pixel = pv::ganzzahl32(schriftgroesse * ziel.dpiY() / 72.0);
  f.setPixelSize(std::max(1, pixel.value_or(1)));
  f.setBold(einstellungen.SchriftbildFett);
  ziel.text(QPointF(x, y), text, f, farbe, winkel);
}

int16_t GrafikZeichnen(pv::Zeichenflaeche& ziel, float& XMin, float& XMax, float& YMin, float& YMax,
                       const std::vector<float>& X, const std::vector<float>& Y, pv::GrafikEinstellungen& einstellungen,
                       QChar dezimaltrennzeichen) {
  // A range of no width draws nothing, and the surface stays as it is.
  if (!((XMin == 0 || XMin != XMax) && (YMin == 0 || YMin != YMax))) return kGrafikNichts;

  GrafikZustand& zustand = grafikZustand();
  pv::GrafikEinstellungen& e = einstellungen;
  const bool drucken = zustand.Drucken;
  Zeichenflaeche::Sitzung sitzung(ziel);
  int16_t stufe = kGrafikNichts;
  try {
    if (!drucken) ziel.leeren();
    // On the printer line widths grow with its resolution over the screen's.
    const int f = drucken ? int16(Maximum(1, ziel.dpiX() / ziel.bildschirmDpi)) : 1;
    const double breiteAchsen = int16(f * Maximum(1, e.LiniendickeAchsen));
    const double breiteGitter = int16(f * Maximum(1, e.LiniendickeGitter));

    const int32_t n = X.empty() ? 0 : static_cast<int32_t>(std::min<size_t>(X.size() - 1, INT32_MAX - 1));
    const bool autoX = XMin == 0 && XMax == 0;
    const bool autoY = YMin == 0 && YMax == 0;
    if (n == 0 && (autoX || autoY)) return kGrafikNichts;  // cleared above

    stufe = kGrafikFehlerBereich;
    if (Y.size() < X.size()) {
      throw pv::Laufzeitfehler(9, QStringLiteral("Index außerhalb des gültigen Bereichs"));
    }

    // Ranges: an automatic one goes back to the caller at once.
    pv::Achsenbereich bx;
    if (autoX) {
      bx = pv::automatischerBereich(X, n);
      XMin = bx.min;
      XMax = bx.max;
    } else {
      bx = pv::vorgegebenerBereich(XMin, XMax);
    }
    pv::Achsenbereich by;
    if (autoY) {
      by = pv::automatischerBereich(Y, n);
      YMin = by.min;
      YMax = by.max;
    } else {
      by = pv::vorgegebenerBereich(YMin, YMax);
    }

    float gx = pv::gitterabstandWaehlen(XMin, XMax, bx.intervalle, e.GitterabstandX, e.GitterabstandAutoX);
    e.GitterabstandX = gx;
    float gy = pv::gitterabstandWaehlen(YMin, YMax, by.intervalle, e.GitterabstandY, e.GitterabstandAutoY);
    e.GitterabstandY = gy;

    const float xa = pv::achsenposition(XMin, XMax);
    const float ya = pv::achsenposition(YMin, YMax);

    float RL = e.RandLinks, RR = e.RandRechts, RO = e.RandOben, RU = e.RandUnten;
    if (RL == 0 && RR == 0 && RO == 0 && RU == 0) {
      RL = 0.2f;
      RR = 0.1f;
      RO = 0.2f;
      RU = 0.2f;
    }

    // The user scale: the plotting area with the margins (and the extra page
    // strips) around it.
    const double W = ziel.breite();
    const double H = ziel.hoehe();
    if (!(W > 0 && H > 0)) ueberlauf();
    const double dx = single(double(XMax) - XMin);
    const double dy = single(double(YMax) - YMin);
    const double x1 = XMin - (double(RL) + e.ZusatzLinks) * dx;
    const double y1 = YMax + (double(RO) + e.ZusatzOben) * dy;
    const double x2 = XMax + (double(RR) + e.ZusatzRechts) * dx;
    const double y2 = YMin - (double(RU) + e.ZusatzUnten) * dy;
    if (!std::isfinite(x1) || !std::isfinite(x2) || !std::isfinite(y1) || !std::isfinite(y2) || x1 == x2 ||
        y1 == y2)
      ueberlauf();
    ziel.skalieren(x1, y1, x2, y2);
    const double sx = ziel.pixelProEinheitX();
    const double sy = ziel.pixelProEinheitY();
    // y units as long on the surface as one x unit (negative: y grows upward).
    const double a = sx / sy;
    const auto pixel = [&](double x, double y) { return ziel.zuPixel(x, y); };
    // Text sizes in user units, signed like the scale.
    const auto textbreite = [&](const QString& s, const QFont& font) { return ziel.textmass(s, font).width() / sx; };
    const auto texthoehe = [&](const QString& s, const QFont& font) { return ziel.textmass(s, font).height() / sy; };
    const QString null = QStringLiteral("0");

    // Fonts: sizes follow the height of the plotting area.
    const QString familie = e.Schriftart.isEmpty() ? QStringLiteral("Arial") : e.Schriftart;
    const double h12 = texthoehe(null, schrift(familie, 12, false));
    if (!std::isfinite(h12) || h12 == 0) ueberlauf();
    const double groesseBasis = 12 * std::fabs(0.05 * dy / h12);
    // Tick half-length: a quarter of a digit 5 % of the y span high.
    const double ty = 0.25 * std::fabs(texthoehe(null, schrift(familie, groesseBasis, false)));
    const double tx = std::fabs(ty / a);

    const QColor vorne = pv::farbe(e.FarbeTextLinien);
    ziel.kasten(QRectF(pixel(XMin - RL * dx, YMax + RO * dy), pixel(XMax + RR * dx, YMin - RU * dy)),
                pv::farbe(e.FarbeHintergrund));
    ziel.kasten(QRectF(pixel(XMin, YMax), pixel(XMax, YMin)), pv::farbe(e.FarbeZeichnungsflaeche));

    const double groesseTitel = e.SchriftgroesseTitel > 0 ? e.SchriftgroesseTitel
                                                          : 1.5 * Maximum(12 * std::fabs(0.04 * dy / h12), 2);
    const QFont titelSchrift = schrift(familie, groesseTitel, true);
    ziel.text(pixel(XMin + (dx - textbreite(e.Titel, titelSchrift)) / 2,
                    YMax + (RO * dy + std::fabs(texthoehe(e.Titel, titelSchrift))) / 2),
              e.Titel, titelSchrift, vorne);

    const double groesseAchsen =
        e.SchriftgroesseAchsen > 0 ? e.SchriftgroesseAchsen : Maximum(12 * std::fabs(0.04 * dy / h12), 2);
    const QFont beschriftung = schrift(familie, groesseAchsen, e.SchriftbildFett);
    const QFont achsentitel = schrift(familie, groesseAchsen, true);

    // Dash and gap: 1/150 of the x span, the same length on both axes.
    const double strichY = std::fabs(a) * dx / 150;
    const double strichX = dx / 150;

    struct Beschriftung {
      QPointF ort;
      QString text;
    };

    // x grid, ticks and labels.
    stufe = kGrafikFehlerRaster;
    gx = Maximum(gx, single(dx / 100));
    e.GitterabstandX = gx;
    std::vector<QLineF> gitter;
    std::vector<QLineF> striche;
    std::vector<Beschriftung> texte;
    // The first label leaves the corner where the axes cross to the y label.
    const double x0 = XMin == ya ? double(XMin) + gx : double(XMin);
    const double labelOben = ya - 1.5 * ty;
    for (const pv::Rasterlinie& l : pv::rasterlinien(x0, 0, gx, XMax)) {
      const double x = l.wert;
      if (e.GitterX) strichePixel(ziel, strichY, strichY, x, YMin, x, YMax, gitter);
      striche.emplace_back(pixel(x, ya - ty), pixel(x, ya + ty));
      const QString s = ZahlFormatieren(float(x), e.XZahlenformat, e.XNachkommastellen, dezimaltrennzeichen);
      if (e.XZahlenformat == 16) {
        // Date above time, each line centred.
        const QString datum = s.left(10);
        const QString zeit = s.mid(11);
        texte.push_back({pixel(x - std::fabs(textbreite(datum, beschriftung)) / 2, labelOben), datum});
        texte.push_back({pixel(x - std::fabs(textbreite(zeit, beschriftung)) / 2,
                               labelOben + texthoehe(datum, beschriftung)),
                         zeit});
      } else {
        texte.push_back({pixel(x - std::fabs(textbreite(s, beschriftung)) / 2, labelOben), s});
      }
    }
    ziel.linien(gitter, vorne, breiteGitter);
    ziel.linien(striche, vorne, breiteGitter);
    for (const Beschriftung& t : texte) ziel.text(t.ort, t.text, beschriftung, vorne);

    // x title two text lines below the top of the labels, but on the surface.
    {
      const double unterLabels = labelOben - 2 * std::fabs(texthoehe(null, achsentitel));
      const double titelHoehe = ziel.textmass(e.XTitel, achsentitel).height();
      const double oben = std::min(pixel(0, unterLabels).y(), H - titelHoehe);
      ziel.text(QPointF(pixel(XMin + (dx - textbreite(e.XTitel, achsentitel)) / 2, 0).x(), oben), e.XTitel,
                achsentitel, vorne);
    }

    // y grid on whole multiples of the spacing, ticks and labels; no grid
    // line at 0.
    double lmin = xa;  // leftmost label edge
    gy = Maximum(gy, single(dy / 100));
    e.GitterabstandY = gy;
    gitter.clear();
    striche.clear();
    texte.clear();
    const int32_t j0 = int32(single(YMin / gy) + 0.49);
    for (const pv::Rasterlinie& l : pv::rasterlinien(0, j0, gy, YMax)) {
      const double v = l.wert;
      if (e.GitterY && l.j != 0) strichePixel(ziel, strichX, strichX, XMin, v, XMax, v, gitter);
      striche.emplace_back(pixel(xa - tx, v), pixel(xa + tx, v));
      const QString s = ZahlFormatieren(float(v), e.YZahlenformat, e.YNachkommastellen, dezimaltrennzeichen);
      const double links = (xa - 1.5 * tx) - std::fabs(textbreite(s, beschriftung));
      lmin = std::min(lmin, links);
      texte.push_back({pixel(links, v + std::fabs(texthoehe(s, beschriftung)) / 2), s});
    }
    ziel.linien(gitter, vorne, breiteGitter);
    ziel.linien(striche, vorne, breiteGitter);
    for (const Beschriftung& t : texte) ziel.text(t.ort, t.text, beschriftung, vorne);

    // y title: two character heights left of the leftmost y label, centred
    // on the middle of the y range, read upward.
    stufe = kGrafikFehlerYTitelLage;
    const double ziffer = std::fabs(texthoehe(null, achsentitel) / a);
    const int32_t xpx = std::max<int32_t>(0, int32(pixel(lmin - 2 * ziffer, 0).x()));
    const double titelbreite = std::fabs(textbreite(e.YTitel, achsentitel) * a);
    const int32_t ypx = int32(pixel(0, (double(YMin) + YMax) / 2 - titelbreite / 2).y());

    stufe = kGrafikFehlerAchsen;
    RotierterText(ziel, e, xpx, ypx, 90, e.YTitel, groesseAchsen, vorne);

    const QLineF achsen[] = {QLineF(pixel(XMin, ya), pixel(XMax, ya)), QLineF(pixel(xa, YMin), pixel(xa, YMax))};
    ziel.linien(achsen, vorne, breiteAchsen);
    if (!drucken) ziel.aktualisieren();

    if (n > 0) {
      const pv::SichtbareWerte sichtbar = pv::sichtbareWerte(X, n, XMin, XMax);
      const int32_t schritt = pv::schrittweiteWaehlen(e.SchrittweiteAutomatisch, e.Schrittweite, sichtbar, W);
      if (pv::zuVieleSchritte(sichtbar, schritt)) return kGrafikZuVieleWerte;
      stufe = kGrafikFehlerWerte;
      e.Schrittweite = schritt;
      if (!sichtbar.leer()) werteZeichnen(ziel, X, Y, sichtbar, schritt, {XMin, XMax, YMin, YMax}, e, f);
    }

    zustand.GrafikXMin = XMin;
    zustand.GrafikXMax = XMax;
    zustand.GrafikYMin = YMin;
    zustand.GrafikYMax = YMax;
    e.XMin = XMin;
    e.XMax = XMax;
    e.YMin = YMin;
    e.YMax = YMax;
    e.RandLinks = RL;
    e.RandRechts = RR;
    e.RandOben = RO;
    e.RandUnten = RU;
    return kGrafikFertig;
  } catch (...) {
    if (!drucken) ziel.leeren();
    return stufe;
  }
}

}  // namespace Tolvek
