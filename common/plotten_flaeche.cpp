#include "plotten_flaeche.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRect>
#include <cmath>
#include <vector>
#include <QPen>

#include "common/bildschirmbild.h"

namespace pv {

namespace {

// Thin lines are one pixel whatever the device (a hairline); wider ones end
// and join round, so a line drawn in pieces looks like one drawn whole.
QPen stift(const QColor& farbe, double breite, double verhaeltnis) {
  if (breite <= 1.0) return haarstift(farbe, verhaeltnis);
  return QPen(farbe, breite, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

}  // namespace

Zeichenflaeche::Zeichenflaeche(QPaintDevice& geraet) : geraet_(&geraet) {}

Zeichenflaeche::Zeichenflaeche(QPainter& maler) : geraet_(maler.device()), fremd_(&maler) {}

Zeichenflaeche::~Zeichenflaeche() {
  if (eigen_.isActive()) eigen_.end();
}

double Zeichenflaeche::breite() const { return geraet_ ? geraet_->width() / verhaeltnis() : 0.0; }
double Zeichenflaeche::hoehe() const { return geraet_ ? geraet_->height() / verhaeltnis() : 0.0; }
double Zeichenflaeche::verhaeltnis() const { return geraet_ ? geraet_->devicePixelRatio() : 1.0; }
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
  if (!eigen_.isActive()) eigen_.begin(geraet_);
  return eigen_;
}

void Zeichenflaeche::fertig() {
  if (fremd_) return;
  if (sitzungen_ == 0 && eigen_.isActive()) eigen_.end();
}

// One drawing operation: the painter for its duration, afterwards the
// caller's painter restored or the own one closed outside a session.
class Zeichenflaeche::Zug {
 public:
  explicit Zug(Zeichenflaeche& f) : f_(f), p(f.maler()) {}
  ~Zug() {
    if (f_.fremd_) f_.fremd_->restore();
    f_.fertig();
  }
  Zug(const Zug&) = delete;
  Zug& operator=(const Zug&) = delete;

 private:
  Zeichenflaeche& f_;

 public:
  QPainter& p;
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
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(stift(farbe, breite, verhaeltnis()));
    p.drawLines(linien.data(), static_cast<int>(linien.size()));
  }
}

void Zeichenflaeche::linienzug(std::span<const QPointF> punkte, const QColor& farbe, double breite) {
  if (punkte.size() < 2) return;
  Zug zug(*this);
  QPainter& p = zug.p;
  if (p.isActive()) {
    p.setRenderHint(QPainter::Antialiasing, false);
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
  p.setRenderHint(QPainter::Antialiasing, false);
  const bool raster = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster &&
                      p.worldTransform().isIdentity();
  const double v = verhaeltnis();
  if (durchmesser <= 1 || !raster) {
    p.setPen(stift(farbe, durchmesser, v));
    p.drawPoints(punkte.data(), static_cast<int>(punkte.size()));
    return;
  }
  // On a picture a round dot is a few rows of device pixels: every pixel
  // whose centre lies in the circle, as the wide pen draws it, filled as
  // rectangles in one go. Drawing each dot with the pen costs many times as
  // much.
  const double r = durchmesser * v / 2;
  const QRectF flaeche(-durchmesser, -durchmesser, breite() + 2 * durchmesser, hoehe() + 2 * durchmesser);
  std::vector<QRect> zeilen;
  zeilen.reserve(punkte.size() * static_cast<std::size_t>(durchmesser * v + 1));
  for (const QPointF& logisch : punkte) {
    if (!flaeche.contains(logisch)) continue;
    const QPointF m = logisch * v;
    const int oben = static_cast<int>(std::ceil(m.y() - r - 0.5));
    const int unten = static_cast<int>(std::floor(m.y() + r - 0.5));
    for (int j = oben; j <= unten; ++j) {
      const double dy = j + 0.5 - m.y();
      const double h2 = r * r - dy * dy;
      if (h2 < 0) continue;
      const double h = std::sqrt(h2);
      const int links = static_cast<int>(std::ceil(m.x() - h - 0.5));
      const int rechts = static_cast<int>(std::floor(m.x() + h - 0.5));
      if (rechts >= links) zeilen.emplace_back(links, j, rechts - links + 1, 1);
    }
  }
  p.save();
  p.scale(1 / v, 1 / v);  // the rows are in device pixels
  p.setPen(Qt::NoPen);
  p.setBrush(farbe);
  p.drawRects(zeilen.data(), static_cast<int>(zeilen.size()));
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

void Zeichenflaeche::linieWert(double x1, double y1, double x2, double y2, const QColor& farbe, double breite) {
  const QLineF l(zuPixel(x1, y1), zuPixel(x2, y2));
  linien(std::span<const QLineF>(&l, 1), farbe, breite);
}

void Zeichenflaeche::punktWert(double x, double y, const QColor& farbe, double durchmesser) {
  const QPointF p = zuPixel(x, y);
  punkte(std::span<const QPointF>(&p, 1), farbe, durchmesser);
}

}  // namespace pv
