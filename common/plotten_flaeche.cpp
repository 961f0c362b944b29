#include "plotten_flaeche.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "common/bildschirmbild.h"

namespace pv {

namespace {

// Thin lines are one pixel whatever the device (a hairline); wider ones end
// and join round, so a line drawn in pieces looks like one drawn whole.
QPen stift(const QColor& farbe, double breite, double verhaeltnis) {
  if (breite <= 1.0) return haarstift(farbe, verhaeltnis);
  return QPen(farbe, breite, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A round dot of the diameter in device pixels, smoothed, centred on the
// middle pixel of a square of an odd number of pixels.
QImage punktstempel(const QColor& farbe, double durchmesser) {
  const int seite = 2 * static_cast<int>(std::ceil(durchmesser / 2)) + 1;
  QImage stempel(seite, seite, QImage::Format_ARGB32_Premultiplied);
  stempel.fill(Qt::transparent);
  QPainter p(&stempel);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(farbe);
  p.drawEllipse(QPointF(seite / 2.0, seite / 2.0), durchmesser / 2, durchmesser / 2);
  return stempel;
}

}  // namespace

Zeichenflaeche::Zeichenflaeche(QPaintDevice& geraet) : geraet_(&geraet) {}

Zeichenflaeche::Zeichenflaeche(QPainter& maler) : geraet_(maler.device()), fremd_(&maler) {}

Zeichenflaeche::Zeichenflaeche(QImage& bild, QSizeF seite, double dpi) : geraet_(&bild), seite_(seite) {
  // The fonts' sizes in points and the printer's line widths follow it.
  const int proMeter = static_cast<int>(std::lround(dpi / 0.0254));
  bild.setDotsPerMeterX(proMeter);
  bild.setDotsPerMeterY(proMeter);
}

Zeichenflaeche::~Zeichenflaeche() {
  if (eigen_.isActive()) eigen_.end();
}

double Zeichenflaeche::breite() const {
  if (!seite_.isEmpty()) return seite_.width();
  return geraet_ ? geraet_->width() / verhaeltnis() : 0.0;
}
double Zeichenflaeche::hoehe() const {
  if (!seite_.isEmpty()) return seite_.height();
  return geraet_ ? geraet_->height() / verhaeltnis() : 0.0;
}
double Zeichenflaeche::verhaeltnis() const {
  if (!geraet_) return 1.0;
  if (!seite_.isEmpty()) return std::min(geraet_->width() / seite_.width(), geraet_->height() / seite_.height());
  return geraet_->devicePixelRatio();
}
double Zeichenflaeche::dpiX() const { return geraet_ ? geraet_->logicalDpiX() : 96.0; }
double Zeichenflaeche::dpiY() const { return geraet_ ? geraet_->logicalDpiY() : 96.0; }

void Zeichenflaeche::skalieren(double x1, double y1, double x2, double y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  skaliert_ = true;
}

double Zeichenflaeche::pixelProEinheitX() const { return breite() / (x2_ - x1_); }
double Zeichenflaeche::pixelProEinheitY() const { return hoehe() / (y2_ - y1_); }

QPointF Zeichenflaeche::zuPixel(double x, double y) const {
  return {(x - x1_) * pixelProEinheitX(), (y - y1_) * pixelProEinheitY()};
}

QPointF Zeichenflaeche::zuWert(const QPointF& pixel) const {
  return {x1_ + pixel.x() / pixelProEinheitX(), y1_ + pixel.y() / pixelProEinheitY()};
}

QPainter& Zeichenflaeche::maler() {
  if (fremd_) {
    fremd_->save();
    return *fremd_;
  }
  if (!eigen_.isActive() && eigen_.begin(geraet_) && !seite_.isEmpty()) {
    // The painter works in the picture's logical pixels.
    const double s = verhaeltnis() / geraet_->devicePixelRatio();
    eigen_.scale(s, s);
  }
  return eigen_;
}

void Zeichenflaeche::fertig() {
  if (fremd_) return;
  if (sitzungen_ == 0 && eigen_.isActive()) eigen_.end();
}

// One drawing operation: the painter for its duration, cut to the
// surface's limit; afterwards the caller's painter restored or the own one
// closed outside a session.
class Zeichenflaeche::Zug {
 public:
  explicit Zug(Zeichenflaeche& f) : f_(f), p(f.maler()) {
    if (!f.begrenzung_.isEmpty() && p.isActive()) {
      p.save();
      p.setClipRect(f.begrenzung_, Qt::IntersectClip);
      begrenzt_ = true;
    }
  }
  ~Zug() {
    if (begrenzt_) p.restore();
    if (f_.fremd_) f_.fremd_->restore();
    f_.fertig();
  }
  Zug(const Zug&) = delete;
  Zug& operator=(const Zug&) = delete;

 private:
  Zeichenflaeche& f_;

 public:
  QPainter& p;

 private:
  bool begrenzt_ = false;
};

void Zeichenflaeche::leeren() {
  Zug zug(*this);
  QPainter& p = zug.p;
  if (p.isActive()) p.fillRect(QRectF(0, 0, breite(), hoehe()), hintergrundfarbe);
}

void Zeichenflaeche::kasten(const QRectF& rechteck, const QColor& farbe) {
  Zug zug(*this);
  QPainter& p = zug.p;
  if (p.isActive()) p.fillRect(rechteck.normalized(), farbe);
}

void Zeichenflaeche::linien(std::span<const QLineF> linien, const QColor& farbe, double breite) {
  if (linien.empty()) return;
  Zug zug(*this);
  QPainter& p = zug.p;
  if (p.isActive()) {
    p.setRenderHint(QPainter::Antialiasing, geglaettet());
    p.setPen(stift(farbe, breite, verhaeltnis()));
    p.drawLines(linien.data(), static_cast<int>(linien.size()));
  }
}

void Zeichenflaeche::linienzug(std::span<const QPointF> punkte, const QColor& farbe, double breite) {
  if (punkte.size() < 2) return;
  Zug zug(*this);
  QPainter& p = zug.p;
  if (p.isActive()) {
    p.setRenderHint(QPainter::Antialiasing, geglaettet());
    p.setPen(stift(farbe, breite, verhaeltnis()));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(punkte.data(), static_cast<int>(punkte.size()));
  }
}

void Zeichenflaeche::punkte(std::span<const QPointF> punkte, const QColor& farbe, double durchmesser) {
  if (punkte.empty()) return;
  Zug zug(*this);
  QPainter& p = zug.p;
  if (!p.isActive()) return;
  const double v = verhaeltnis();
  const bool raster = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster;
  if (durchmesser <= 1 || !raster) {
    p.setRenderHint(QPainter::Antialiasing, geglaettet());
    p.setPen(stift(farbe, durchmesser, v));
    p.drawPoints(punkte.data(), static_cast<int>(punkte.size()));
    return;
  }
  // On a picture a dot is a filled circle with smoothed edges, round at any
  // ratio, drawn in device pixels; on a caller's painter with a transform of
  // its own, in the surface's pixels.
  const QRectF flaeche(-durchmesser, -durchmesser, breite() + 2 * durchmesser, hoehe() + 2 * durchmesser);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(farbe);
  if (fremd_ && !p.worldTransform().isIdentity()) {
    for (const QPointF& m : punkte)
      if (flaeche.contains(m)) p.drawEllipse(m, durchmesser / 2, durchmesser / 2);
    return;
  }
  p.save();
  p.scale(1 / v, 1 / v);
  if (geglaettet()) {
    const double r = durchmesser * v / 2;
    for (const QPointF& m : punkte)
      if (flaeche.contains(m)) p.drawEllipse(m * v, r, r);
  } else {
    // Over unsmoothed lines each dot sits on the middle of its device pixel,
    // where a line through the same point runs: all dots look alike, and
    // one stamp made once serves them all.
    const QImage stempel = punktstempel(farbe, durchmesser * v);
    const int halb = stempel.width() / 2;
    for (const QPointF& m : punkte)
      if (flaeche.contains(m))
        p.drawImage(QPoint(int(std::floor(m.x() * v)) - halb, int(std::floor(m.y() * v)) - halb), stempel);
  }
  p.restore();
}

void Zeichenflaeche::text(const QPointF& obenLinks, const QString& text, const QFont& schrift,
                          const QColor& farbe, double winkel) {
  if (text.isEmpty()) return;
  Zug zug(*this);
  QPainter& p = zug.p;
  if (p.isActive()) {
    p.setFont(schrift);
    p.setPen(farbe);
    const double oberlaenge = QFontMetricsF(schrift, geraet_).ascent();
    if (winkel == 0) {
      p.drawText(QPointF(obenLinks.x(), obenLinks.y() + oberlaenge), text);
    } else {
      p.save();
      p.translate(obenLinks);
      p.rotate(-winkel);
      p.drawText(QPointF(0, oberlaenge), text);
      p.restore();
    }
  }
}

void Zeichenflaeche::aktualisieren() {
  // The window reads the picture: an own painter must not hold it meanwhile.
  if (!fremd_ && eigen_.isActive()) eigen_.end();
  if (beiAktualisierung) beiAktualisierung();
}

QSizeF Zeichenflaeche::textmass(const QString& text, const QFont& schrift) const {
  const QFontMetricsF m(schrift, geraet_);
  return {m.horizontalAdvance(text), m.height()};
}

bool Zeichenflaeche::geglaettet() const { return verhaeltnis() < 1; }

void Zeichenflaeche::linieWert(double x1, double y1, double x2, double y2, const QColor& farbe, double breite) {
  const Begrenzung grenze(*this, wertebereich);
  const QLineF l(zuPixel(x1, y1), zuPixel(x2, y2));
  linien(std::span<const QLineF>(&l, 1), farbe, breite);
}

void Zeichenflaeche::punktWert(double x, double y, const QColor& farbe, double durchmesser) {
  const QPointF p = zuPixel(x, y);
  // A value on the area's edge shows its dot whole; one outside is cut to it.
  const bool drin = wertebereich.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(p);
  const Begrenzung grenze(*this, drin ? QRectF() : wertebereich);
  punkte(std::span<const QPointF>(&p, 1), farbe, durchmesser);
}

}  // namespace pv
