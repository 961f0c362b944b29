#include "leds.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "common/bildschirmbild.h"
#include "common/farben.h"
#include "common/zahlen.h"

namespace pv {

namespace {

constexpr uint32_t rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

// Main colours (off, on) of the round lamp, the square lamp and the triangles,
// by colour green, red, blue, orange.
constexpr uint32_t kRund[4][2] = {{rgb(0, 160, 0), rgb(32, 255, 32)},
                                  {rgb(200, 0, 0), rgb(255, 0, 0)},
                                  {rgb(0, 0, 160), rgb(0, 0, 255)},
                                  {rgb(200, 136, 8), rgb(255, 168, 0)}};
constexpr uint32_t kEckig[4][2] = {{rgb(0, 153, 0), rgb(0, 255, 0)},
                                   {rgb(153, 0, 0), rgb(255, 0, 0)},
                                   {rgb(0, 0, 153), rgb(0, 0, 255)},
                                   {rgb(204, 153, 0), rgb(255, 153, 0)}};
constexpr uint32_t kDreieck[4][2] = {{rgb(0, 153, 0), rgb(0, 255, 0)},
                                     {rgb(153, 0, 0), rgb(255, 0, 0)},
                                     {rgb(0, 0, 153), rgb(0, 0, 255)},
                                     {rgb(200, 136, 8), rgb(255, 153, 0)}};
// The bar lamp's shading (dark, light) by colour and state.
constexpr uint32_t kBalken[4][2][2] = {
    {{rgb(16, 80, 16), rgb(40, 200, 40)}, {rgb(40, 208, 48), rgb(168, 232, 168)}},
    {{rgb(88, 0, 0), rgb(232, 8, 8)}, {rgb(255, 0, 0), rgb(255, 144, 144)}},
    {{rgb(16, 16, 72), rgb(48, 56, 184)}, {rgb(41, 44, 207), rgb(169, 173, 231)}},
    {{rgb(88, 56, 0), rgb(240, 152, 0)}, {rgb(248, 159, 0), rgb(255, 215, 145)}}};

// The lamps are pixel art of 11 or 12 pixels a side. On a picture for a
// high-resolution screen each device pixel takes the look of the point of
// the art it lies on, so shapes and outlines keep their proportions with
// the finer detail of the screen. Coordinates below are in pixels of the
// art: the centre of pixel (i, j) is the point (i, j), a picture of w pixels
// covers -0.5 to w - 0.5.
class Lampenbild {
 public:
  Lampenbild(int breite, int hoehe, qreal verhaeltnis)
      : w_(breite), h_(hoehe), bild_(bildschirmbild({breite, hoehe}, verhaeltnis, Qt::transparent,
                                                    QImage::Format_ARGB32)) {}

  // Paints every device pixel by farbe(u, v) at the point of the art it
  // covers; an invalid colour leaves it transparent.
  template <class Farbe>
  void malen(Farbe farbe) {
    const qreal v = bild_.devicePixelRatio();
    for (int y = 0; y < bild_.height(); ++y) {
      for (int x = 0; x < bild_.width(); ++x) {
        const QColor c = farbe((x + 0.5) / v - 0.5, (y + 0.5) / v - 0.5);
        if (c.isValid()) bild_.setPixelColor(x, y, c);
      }
    }
  }

  // Fills a shape given by its inside test, with an outline one pixel of
  // the art wide in black where the shape meets its outside or the
  // picture's edge.
  template <class Innen>
  void formMalen(Innen innen, const QColor& fuellung) {
    const auto drin = [&](double u, double v) { return auf(u, v) && innen(u, v); };
    malen([&](double u, double v) {
      if (!drin(u, v)) return QColor();
      const bool rand = !drin(u - 1, v) || !drin(u + 1, v) || !drin(u, v - 1) || !drin(u, v + 1);
      return rand ? QColor(Qt::black) : fuellung;
    });
  }

  // Whether the point lies on the picture.
  bool auf(double u, double v) const { return u >= -0.5 && u < w_ - 0.5 && v >= -0.5 && v < h_ - 0.5; }

  // The pixel of the art a point lies in.
  static QPoint pixel(double u, double v) { return {int(std::floor(u + 0.5)), int(std::floor(v + 0.5))}; }

  QImage bild() const { return bild_; }

 private:
  int w_, h_;
  QImage bild_;
};

QColor mischen(const QColor& a, const QColor& b, double anteilB) {
  auto kanal = [&](int x, int y) { return int(std::lround(x + (y - x) * anteilB)); };
  return QColor(kanal(a.red(), b.red()), kanal(a.green(), b.green()), kanal(a.blue(), b.blue()));
}

QImage rund(const QColor& farbe, qreal verhaeltnis) {
  Lampenbild bild(11, 11, verhaeltnis);
  bild.formMalen([](double u, double v) { return std::hypot(u - 5, v - 5) <= 5.4; }, farbe);
  // A highlight up left, as of light falling on a glass dome.
  const QColor halb = mischen(farbe, Qt::white, 0.5);
  bild.malen([&](double u, double v) {
    const QPoint p = Lampenbild::pixel(u, v);
    if (p == QPoint(3, 3)) return QColor(Qt::white);
    return p == QPoint(4, 3) || p == QPoint(3, 4) ? halb : QColor();
  });
  return bild.bild();
}

QImage eckig(const QColor& farbe, qreal verhaeltnis) {
  Lampenbild bild(11, 11, verhaeltnis);
  bild.malen([&](double u, double v) {
    const double ring = std::min({u, v, 10 - u, 10 - v});
    return ring < 0.5 ? QColor(Qt::black) : ring < 1.5 ? QColor(Qt::white) : farbe;
  });
  return bild.bild();
}

QImage dreieck(const QColor& farbe, bool nachLinks, qreal verhaeltnis) {
  Lampenbild bild(12, 11, verhaeltnis);
  // The tip at the middle row of the first column (or the last), widening to
  // the full height at the other side.
  bild.formMalen(
      [nachLinks](double u, double v) {
        const double abstand = nachLinks ? u : 11 - u;
        return std::fabs(v - 5) * 12 <= (abstand + 1) * 5;
      },
      farbe);
  return bild.bild();
}

QImage balken(const QColor& dunkel, const QColor& hell, qreal verhaeltnis) {
  Lampenbild bild(11, 12, verhaeltnis);
  // Rows 1..10 inside a white frame, from the light tone down to the dark one.
  bild.malen([&](double u, double v) {
    const QPoint p = Lampenbild::pixel(u, v);
    if (p.x() < 1 || p.x() > 9 || p.y() < 1 || p.y() > 10) return QColor(Qt::white);
    return mischen(hell, dunkel, std::clamp((v - 1) / 9.0, 0.0, 1.0));
  });
  return bild.bild();
}

}  // namespace

int LEDBildnummer(int style, int color, int status) {
  if (style < 0 || style > kLEDStyleMax || color < 0 || color > kLEDColorMax || status < 0 ||
      status > kLEDStatusMax)
    return -1;
  return style * 8 + color * 2 + status;
}

QImage LEDBildMalen(int nummer, qreal verhaeltnis) {
  if (nummer < 0 || nummer >= kLEDBilderAnzahl) return {};
  const int style = nummer / 8, color = nummer / 2 % 4, status = nummer % 2;
  switch (style) {
    case 0:
      return rund(farbe(kRund[color][status]), verhaeltnis);
    case 1:
      return eckig(farbe(kEckig[color][status]), verhaeltnis);
    case 2:
    case 3:
      return dreieck(farbe(kDreieck[color][status]), style == 2, verhaeltnis);
    default:
      return balken(farbe(kBalken[color][status][0]), farbe(kBalken[color][status][1]), verhaeltnis);
  }
}

const QList<QImage>& LEDStandardbilder(qreal verhaeltnis) {
  // One set per ratio, painted when first asked for (a screen or two).
  static std::map<qreal, QList<QImage>> saetze;
  QList<QImage>& bilder = saetze[verhaeltnis];
  if (bilder.isEmpty())
    for (int n = 0; n < kLEDBilderAnzahl; ++n) bilder.append(LEDBildMalen(n, verhaeltnis));
  return bilder;
}

int16_t LEDWertBegrenzen(const QVariant& wert, int16_t obergrenze) {
  // Numbers become text with "." as the decimal mark, so 0.5 reads as 0.5.
  double x = val(wert.toString());
  if (!(x >= 0)) x = 0;  // also a value that is not a number
  x = std::min(x, double(obergrenze));
  return int16_t(rundeHalbGerade(x));
}

LEDs::LEDs(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  LEDZeichnen();
}

void LEDs::StyleSetzen(const QVariant& wert) {
  style_ = LEDWertBegrenzen(wert, kLEDStyleMax);
  LEDZeichnen();
}

void LEDs::ColorSetzen(const QVariant& wert) {
  color_ = LEDWertBegrenzen(wert, kLEDColorMax);
  LEDZeichnen();
}

void LEDs::StatusSetzen(const QVariant& wert) {
  status_ = LEDWertBegrenzen(wert, kLEDStatusMax);
  LEDZeichnen();
}

void LEDs::TransparentSetzen(bool wert) {
  transparent_ = wert;
  LEDZeichnen();
}

void LEDs::Init(int16_t style, int16_t color, int16_t status, bool transparent) {
  style_ = style;
  color_ = color;
  status_ = status;
  transparent_ = transparent;
  resize(width(), qRound(1000 / 15.0));  // 1000 twips
  LEDZeichnen();
}

void LEDs::Resize() {
  if (imgLEDGroesse_.isValid()) resize(imgLEDGroesse_);
  updateGeometry();
}

void LEDs::BilderSetzen(const QList<QImage>& bilder) {
  bilder_ = bilder;
  eigeneBilder_ = true;
  LEDZeichnen();
}

const QList<QImage>& LEDs::bilder() const {
  return eigeneBilder_ ? bilder_ : LEDStandardbilder(devicePixelRatioF());
}

QSize LEDs::sizeHint() const { return imgLEDGroesse_.isValid() ? imgLEDGroesse_ : QSize(11, 11); }

void LEDs::EigenschaftenSchreiben(QVariantMap& beutel) const {
  auto schreiben = [&beutel](const QString& name, const QVariant& wert, const QVariant& standard) {
    if (wert == standard)
      beutel.remove(name);
    else
      beutel.insert(name, wert);
  };
  schreiben(QStringLiteral("Style"), int(style_), 0);
  schreiben(QStringLiteral("Color"), int(color_), 0);
  schreiben(QStringLiteral("Status"), int(status_), 0);
  schreiben(QStringLiteral("Transparent"), transparent_, true);
}

void LEDs::EigenschaftenLesen(const QVariantMap& beutel) {
  auto ganzzahl = [&beutel](const QString& name) -> int16_t {
    const QVariant wert = beutel.value(name);
    if (!wert.isValid()) return 0;
    return ganzzahl16(wert.toDouble()).value_or(0);
  };
  style_ = ganzzahl(QStringLiteral("Style"));
  color_ = ganzzahl(QStringLiteral("Color"));
  status_ = ganzzahl(QStringLiteral("Status"));
  transparent_ = beutel.value(QStringLiteral("Transparent"), true).toBool();
  LEDZeichnen();
}

void LEDs::LEDZeichnen() {
  bildWaehlen();
  update();
  emit geaendert();
}

const QImage& LEDs::BildFuerBildschirm() {
  if (!eigeneBilder_ && !imgLED_.isNull() && imgLED_.devicePixelRatio() != devicePixelRatioF()) bildWaehlen();
  return imgLED_;
}

void LEDs::bildWaehlen() {
  // A state outside the ranges (possible through Init or the property bag)
  // has no picture: the lamp then shows nothing instead of reading past its
  // picture table.
  const int nummer = LEDBildnummer(style_, color_, status_);
  const QList<QImage>& liste = bilder();
  imgLED_ = nummer >= 0 && nummer < liste.size() ? liste.at(nummer) : QImage();
  if (!imgLED_.isNull()) {
    imgLEDGroesse_ = logischeFlaeche(imgLED_).size();
    if (imgLEDGroesse_ != size()) Resize();
  }
}

void LEDs::paintEvent(QPaintEvent*) {
  const QImage& bild = BildFuerBildschirm();
  QPainter maler(this);
  // Opaque: the control's own background; transparent: the container shows
  // through the picture's transparent parts.
  if (!transparent_) maler.fillRect(rect(), palette().color(backgroundRole()));
  if (!bild.isNull()) maler.drawImage(0, 0, bild);
}

}  // namespace pv
