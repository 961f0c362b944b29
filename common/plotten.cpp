#include "plotten.h"

#include <QFont>
#include <QLineF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <limits>

#include "allgemein.h"
#include "farben.h"
#include "geprueft.h"
#include "laufzeitfehler.h"
#include "plotten_achsen.h"
#include "zahlen.h"
#include "zahlenformat.h"

namespace Tolvek {

namespace {

using pv::Zeichenflaeche;

using namespace pv::geprueft;

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
// Consecutive points in one column of device pixels only lengthen that
// column's vertical run: its first, lowest, highest and last point, in their
// order, cover the same pixels as all of its points, so a dense series costs
// no more than one short polyline per column.
class Kurvenzug {
 public:
  Kurvenzug(Zeichenflaeche& ziel, const QColor& farbe, double breite)
      : ziel_(ziel), farbe_(farbe), breite_(breite), verhaeltnis_(ziel.verhaeltnis()) {}

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
    const double spalte = std::floor(p.x() * verhaeltnis_);
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
  double verhaeltnis_;
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
// or both outside the y range; otherwise it runs towards its ends as far as
// the plotting area reaches. Lines are cut at the plotting area's edge, so
// none reaches into the margins; the dots are drawn whole, so a value on the
// area's edge (the first of a recording lies on the y axis) shows its dot
// as every other value does.
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
  const double v = ziel.verhaeltnis();
  const auto geraetepixel = [v](const QPointF& q) { return QPointF(std::floor(q.x() * v), std::floor(q.y() * v)); };

  std::vector<QPointF> punkte;
  {
    const Zeichenflaeche::Begrenzung grenze(ziel, ziel.wertebereich);
    Kurvenzug zug(ziel, kurve, linienBreite);
    int64_t zugEnde = -1;  // index of the value the polyline ends at
    for (int64_t i = sichtbar.erster; i <= sichtbar.letzter; i += schritt) {
      const float xi = X[i];
      const float yi = Y[i];
      const QPointF p = ziel.zuPixel(xi, yi);
      if (b.xDrin(xi) && b.yDrin(yi)) {
        // A dot on the previous dot's device pixel adds nothing.
        if (punkte.empty() || geraetepixel(punkte.back()) != geraetepixel(p)) punkte.push_back(p);
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
  }
  ziel.punkte(punkte, kurve, punktGroesse);
}

struct Beschriftung {
  QPointF ort;
  QString text;
};

// One drawing: the surface, the record and what each stage hands on to the
// next. The stages run in the order of GrafikZeichnen; a failure in any of
// them throws and ends the drawing in the stage reached.
class Zeichnung {
 public:
  Zeichnung(Zeichenflaeche& ziel, pv::GrafikEinstellungen& e, QChar dezimal, bool drucken)
      : ziel_(ziel), e_(e), dezimal_(dezimal), drucken_(drucken) {}

  // Print factor and line widths.
  void breitenWaehlen() {
    // On the printer line widths grow with its resolution over the screen's.
    f_ = drucken_ ? int16(Maximum(1, ziel_.dpiX() / ziel_.bildschirmDpi)) : 1;
    breiteAchsen_ = int16(f_ * Maximum(1, e_.LiniendickeAchsen));
    breiteGitter_ = int16(f_ * Maximum(1, e_.LiniendickeGitter));
  }

  // Ranges, grid spacings, axis positions and margins. An automatic range
  // goes back to the caller at once.
  void bereicheWaehlen(float& XMin, float& XMax, float& YMin, float& YMax, const std::vector<float>& X,
                       const std::vector<float>& Y, int32_t n) {
    const pv::Achsenbereich bx = achsenbereich(XMin, XMax, X, n);
    const pv::Achsenbereich by = achsenbereich(YMin, YMax, Y, n);
    b_ = {XMin, XMax, YMin, YMax};
    gx_ = pv::gitterabstandWaehlen(XMin, XMax, bx.intervalle, e_.GitterabstandX, e_.GitterabstandAutoX);
    e_.GitterabstandX = gx_;
    gy_ = pv::gitterabstandWaehlen(YMin, YMax, by.intervalle, e_.GitterabstandY, e_.GitterabstandAutoY);
    e_.GitterabstandY = gy_;
    xa_ = pv::achsenposition(XMin, XMax);
    ya_ = pv::achsenposition(YMin, YMax);
    RL_ = e_.RandLinks, RR_ = e_.RandRechts, RO_ = e_.RandOben, RU_ = e_.RandUnten;
    if (RL_ == 0 && RR_ == 0 && RO_ == 0 && RU_ == 0) {
      RL_ = 0.2f;
      RR_ = 0.1f;
      RO_ = 0.2f;
      RU_ = 0.2f;
    }
  }

  // The user scale (the plotting area with the margins and the extra page
  // strips around it), the fonts' base size and the tick lengths.
  void skalieren() {
    W_ = ziel_.breite();
    H_ = ziel_.hoehe();
    if (!(W_ > 0 && H_ > 0)) ueberlauf();
    dx_ = single(double(b_.xmax) - b_.xmin);
    dy_ = single(double(b_.ymax) - b_.ymin);
    const double x1 = b_.xmin - (double(RL_) + e_.ZusatzLinks) * dx_;
    const double y1 = b_.ymax + (double(RO_) + e_.ZusatzOben) * dy_;
    const double x2 = b_.xmax + (double(RR_) + e_.ZusatzRechts) * dx_;
    const double y2 = b_.ymin - (double(RU_) + e_.ZusatzUnten) * dy_;
    if (!std::isfinite(x1) || !std::isfinite(x2) || !std::isfinite(y1) || !std::isfinite(y2) || x1 == x2 ||
        y1 == y2)
      ueberlauf();
    ziel_.skalieren(x1, y1, x2, y2);
    sx_ = ziel_.pixelProEinheitX();
    sy_ = ziel_.pixelProEinheitY();
    // The values stay inside the plotting area and the axis lines on its
    // edges.
    const double links = xa_ == b_.xmin ? breiteAchsen_ / 2 : 0;
    const double unten = ya_ == b_.ymin ? breiteAchsen_ / 2 : 0;
    ziel_.wertebereich =
        QRectF(pixel(b_.xmin, b_.ymax), pixel(b_.xmax, b_.ymin)).normalized().adjusted(-links, 0, 0, unten);
    // y units as long on the surface as one x unit (negative: y grows upward).
    a_ = sx_ / sy_;

    // Fonts: sizes follow the height of the plotting area.
    familie_ = e_.Schriftart.isEmpty() ? QStringLiteral("Arial") : e_.Schriftart;
    h12_ = texthoehe(null(), schrift(familie_, 12, false));
    if (!std::isfinite(h12_) || h12_ == 0) ueberlauf();
    const double groesseBasis = 12 * std::fabs(0.05 * dy_ / h12_);
    // Tick half-length: a quarter of a digit 5 % of the y span high.
    ty_ = 0.25 * std::fabs(texthoehe(null(), schrift(familie_, groesseBasis, false)));
    tx_ = std::fabs(ty_ / a_);
  }

  // Background, plotting area and title; the axis fonts and dash lengths.
  void flaecheUndTitel() {
    vorne_ = pv::farbe(e_.FarbeTextLinien);
    ziel_.kasten(QRectF(pixel(b_.xmin - RL_ * dx_, b_.ymax + RO_ * dy_), pixel(b_.xmax + RR_ * dx_, b_.ymin - RU_ * dy_)),
                 pv::farbe(e_.FarbeHintergrund));
    ziel_.kasten(QRectF(pixel(b_.xmin, b_.ymax), pixel(b_.xmax, b_.ymin)), pv::farbe(e_.FarbeZeichnungsflaeche));

    const double groesseTitel = e_.SchriftgroesseTitel > 0 ? e_.SchriftgroesseTitel
                                                           : 1.5 * Maximum(12 * std::fabs(0.04 * dy_ / h12_), 2);
    const QFont titelSchrift = schrift(familie_, groesseTitel, true);
    ziel_.text(pixel(b_.xmin + (dx_ - textbreite(e_.Titel, titelSchrift)) / 2,
                     b_.ymax + (RO_ * dy_ + std::fabs(texthoehe(e_.Titel, titelSchrift))) / 2),
               e_.Titel, titelSchrift, vorne_);

    groesseAchsen_ =
        e_.SchriftgroesseAchsen > 0 ? e_.SchriftgroesseAchsen : Maximum(12 * std::fabs(0.04 * dy_ / h12_), 2);
    beschriftung_ = schrift(familie_, groesseAchsen_, e_.SchriftbildFett);
    achsentitel_ = schrift(familie_, groesseAchsen_, true);

    // Dash and gap: 1/150 of the x span, the same length on both axes.
    strichY_ = std::fabs(a_) * dx_ / 150;
    strichX_ = dx_ / 150;
  }

  // x grid, ticks and labels.
  void xRaster() {
    gx_ = Maximum(gx_, single(dx_ / 100));
    e_.GitterabstandX = gx_;
    std::vector<QLineF> gitter;
    std::vector<QLineF> striche;
    std::vector<Beschriftung> texte;
    // The first label leaves the corner where the axes cross to the y label.
    const double x0 = b_.xmin == ya_ ? double(b_.xmin) + gx_ : double(b_.xmin);
    labelOben_ = ya_ - 1.5 * ty_;
    for (const pv::Rasterlinie& l : pv::rasterlinien(x0, 0, gx_, b_.xmax)) {
      const double x = l.wert;
      if (e_.GitterX) strichePixel(ziel_, strichY_, strichY_, x, b_.ymin, x, b_.ymax, gitter);
      striche.emplace_back(pixel(x, ya_ - ty_), pixel(x, ya_ + ty_));
      const QString s = ZahlFormatieren(float(x), e_.XZahlenformat, e_.XNachkommastellen, dezimal_);
      if (e_.XZahlenformat == 16) {
        // Date above time, each line centred.
        const QString datum = s.left(10);
        const QString zeit = s.mid(11);
        texte.push_back({pixel(x - std::fabs(textbreite(datum, beschriftung_)) / 2, labelOben_), datum});
        texte.push_back({pixel(x - std::fabs(textbreite(zeit, beschriftung_)) / 2,
                               labelOben_ + texthoehe(datum, beschriftung_)),
                         zeit});
      } else {
        texte.push_back({pixel(x - std::fabs(textbreite(s, beschriftung_)) / 2, labelOben_), s});
      }
    }
    rasterZeichnen(gitter, striche, texte);
  }

  // x title two text lines below the top of the labels, but on the surface.
  void xTitel() {
    const double unterLabels = labelOben_ - 2 * std::fabs(texthoehe(null(), achsentitel_));
    const double titelHoehe = ziel_.textmass(e_.XTitel, achsentitel_).height();
    const double oben = std::min(pixel(0, unterLabels).y(), H_ - titelHoehe);
    ziel_.text(QPointF(pixel(b_.xmin + (dx_ - textbreite(e_.XTitel, achsentitel_)) / 2, 0).x(), oben), e_.XTitel,
               achsentitel_, vorne_);
  }

  // y grid on whole multiples of the spacing, ticks and labels; no grid
  // line at 0.
  void yRaster() {
    lmin_ = xa_;
    gy_ = Maximum(gy_, single(dy_ / 100));
    e_.GitterabstandY = gy_;
    std::vector<QLineF> gitter;
    std::vector<QLineF> striche;
    std::vector<Beschriftung> texte;
    const int32_t j0 = int32(single(b_.ymin / gy_) + 0.49);
    for (const pv::Rasterlinie& l : pv::rasterlinien(0, j0, gy_, b_.ymax)) {
      const double v = l.wert;
      if (e_.GitterY && l.j != 0) strichePixel(ziel_, strichX_, strichX_, b_.xmin, v, b_.xmax, v, gitter);
      striche.emplace_back(pixel(xa_ - tx_, v), pixel(xa_ + tx_, v));
      const QString s = ZahlFormatieren(float(v), e_.YZahlenformat, e_.YNachkommastellen, dezimal_);
      const double links = (xa_ - 1.5 * tx_) - std::fabs(textbreite(s, beschriftung_));
      lmin_ = std::min(lmin_, links);
      texte.push_back({pixel(links, v + std::fabs(texthoehe(s, beschriftung_)) / 2), s});
    }
    rasterZeichnen(gitter, striche, texte);
  }

  // Where the y title goes: two character heights left of the leftmost y
  // label, centred on the middle of the y range, read upward.
  void yTitelPlatzieren() {
    const double ziffer = std::fabs(texthoehe(null(), achsentitel_) / a_);
    yTitelX_ = std::max<int32_t>(0, int32(pixel(lmin_ - 2 * ziffer, 0).x()));
    const double titelbreite = std::fabs(textbreite(e_.YTitel, achsentitel_) * a_);
    yTitelY_ = int32(pixel(0, (double(b_.ymin) + b_.ymax) / 2 - titelbreite / 2).y());
  }

  // The y title and the two axes; the screen is refreshed before the values.
  void yTitelUndAchsen() {
    RotierterText(ziel_, e_, yTitelX_, yTitelY_, 90, e_.YTitel, groesseAchsen_, vorne_);
    const QLineF achsen[] = {QLineF(pixel(b_.xmin, ya_), pixel(b_.xmax, ya_)),
                             QLineF(pixel(xa_, b_.ymin), pixel(xa_, b_.ymax))};
    ziel_.linien(achsen, vorne_, breiteAchsen_);
    if (!drucken_) ziel_.aktualisieren();
  }

  const Bereich& bereich() const { return b_; }
  int druckfaktor() const { return f_; }
  // The surface's columns of device pixels, for about one value each.
  double spalten() const { return W_ * ziel_.verhaeltnis(); }

  // The range drawn and the margins used, once the graph is complete.
  void zurueckschreiben() {
    e_.XMin = b_.xmin;
    e_.XMax = b_.xmax;
    e_.YMin = b_.ymin;
    e_.YMax = b_.ymax;
    ziel_.letzteGrafik = {b_.xmin, b_.xmax, b_.ymin, b_.ymax};
    e_.RandLinks = RL_;
    e_.RandRechts = RR_;
    e_.RandOben = RO_;
    e_.RandUnten = RU_;
  }

 private:
  static pv::Achsenbereich achsenbereich(float& min, float& max, const std::vector<float>& werte, int32_t n) {
    if (min != 0 || max != 0) return pv::vorgegebenerBereich(min, max);
    const pv::Achsenbereich b = pv::automatischerBereich(werte, n);
    min = b.min;
    max = b.max;
    return b;
  }

  void rasterZeichnen(const std::vector<QLineF>& gitter, const std::vector<QLineF>& striche,
                      const std::vector<Beschriftung>& texte) {
    ziel_.linien(gitter, vorne_, breiteGitter_);
    ziel_.linien(striche, vorne_, breiteGitter_);
    for (const Beschriftung& t : texte) ziel_.text(t.ort, t.text, beschriftung_, vorne_);
  }

  static QString null() { return QStringLiteral("0"); }
  QPointF pixel(double x, double y) const { return ziel_.zuPixel(x, y); }
  // Text sizes in user units, signed like the scale.
  double textbreite(const QString& s, const QFont& font) const { return ziel_.textmass(s, font).width() / sx_; }
  double texthoehe(const QString& s, const QFont& font) const { return ziel_.textmass(s, font).height() / sy_; }

  Zeichenflaeche& ziel_;
  pv::GrafikEinstellungen& e_;
  QChar dezimal_;
  bool drucken_;
  int f_ = 1;
  double breiteAchsen_ = 1, breiteGitter_ = 1;
  Bereich b_{};
  float gx_ = 0, gy_ = 0, xa_ = 0, ya_ = 0;
  float RL_ = 0, RR_ = 0, RO_ = 0, RU_ = 0;
  double W_ = 0, H_ = 0, dx_ = 0, dy_ = 0, sx_ = 1, sy_ = 1, a_ = 1;
  QString familie_;
  double h12_ = 1, ty_ = 0, tx_ = 0;
  QColor vorne_;
  double groesseAchsen_ = 0;
  QFont beschriftung_, achsentitel_;
  double strichX_ = 0, strichY_ = 0;
  double labelOben_ = 0, lmin_ = 0;
  int32_t yTitelX_ = 0, yTitelY_ = 0;
};

// The values' stage: the step, the limit and the points and lines. Y must
// reach the last value drawn.
int16_t werteStufe(Zeichnung& z, Zeichenflaeche& ziel, const std::vector<float>& X, const std::vector<float>& Y,
                   int32_t n, pv::GrafikEinstellungen& e, int16_t& stufe) {
  const Bereich& b = z.bereich();
  const pv::SichtbareWerte sichtbar = pv::sichtbareWerte(X, n, b.xmin, b.xmax);
  const int32_t schritt = pv::schrittweiteWaehlen(e.SchrittweiteAutomatisch, e.Schrittweite, sichtbar, z.spalten());
  if (pv::zuVieleSchritte(sichtbar, schritt)) return kGrafikZuVieleWerte;
  stufe = kGrafikFehlerWerte;
  e.Schrittweite = schritt;
  if (sichtbar.leer()) return kGrafikFertig;
  const int64_t letzter = sichtbar.erster + int64_t(sichtbar.letzter - sichtbar.erster) / schritt * schritt;
  if (letzter >= static_cast<int64_t>(Y.size())) {
    throw pv::Laufzeitfehler::indexAusserhalb();
  }
  werteZeichnen(ziel, X, Y, sichtbar, schritt, b, e, z.druckfaktor());
  return kGrafikFertig;
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

  const bool drucken = ziel.drucker;
  Zeichenflaeche::Sitzung sitzung(ziel);
  Zeichnung z(ziel, einstellungen, dezimaltrennzeichen, drucken);
  int16_t stufe = kGrafikNichts;
  try {
    if (!drucken) ziel.leeren();
    z.breitenWaehlen();

    const int32_t n = X.empty() ? 0 : static_cast<int32_t>(std::min<size_t>(X.size() - 1, INT32_MAX - 1));
    const bool autoY = YMin == 0 && YMax == 0;
    if (n == 0 && ((XMin == 0 && XMax == 0) || autoY)) return kGrafikNichts;  // cleared above

    stufe = kGrafikFehlerBereich;
    // An automatic y range reads every y value.
    if (autoY && Y.size() < X.size()) {
      throw pv::Laufzeitfehler::indexAusserhalb();
    }
    z.bereicheWaehlen(XMin, XMax, YMin, YMax, X, Y, n);
    z.skalieren();
    z.flaecheUndTitel();

    stufe = kGrafikFehlerRaster;
    z.xRaster();
    z.xTitel();
    z.yRaster();

    stufe = kGrafikFehlerYTitelLage;
    z.yTitelPlatzieren();

    stufe = kGrafikFehlerAchsen;
    z.yTitelUndAchsen();
    if (n > 0 && werteStufe(z, ziel, X, Y, n, einstellungen, stufe) == kGrafikZuVieleWerte) {
      return kGrafikZuVieleWerte;
    }
    z.zurueckschreiben();
    return kGrafikFertig;
  } catch (...) {
    if (!drucken) ziel.leeren();
    return stufe;
  }
}

}  // namespace Tolvek
