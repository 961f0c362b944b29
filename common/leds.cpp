#include "leds.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

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

QImage leeresBild(int breite, int hoehe) {
  QImage bild(breite, hoehe, QImage::Format_ARGB32);
  bild.fill(Qt::transparent);
  return bild;
}

// Fills a shape given by its inside test, with a one-pixel black outline
// where the shape meets its outside or the picture's edge.
template <class Innen>
void formMalen(QImage& bild, Innen innen, const QColor& fuellung) {
  const int w = bild.width(), h = bild.height();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (!innen(x, y)) continue;
      const bool rand = x == 0 || y == 0 || x == w - 1 || y == h - 1 || !innen(x - 1, y) ||
                        !innen(x + 1, y) || !innen(x, y - 1) || !innen(x, y + 1);
      bild.setPixelColor(x, y, rand ? QColor(Qt::black) : fuellung);
    }
  }
}

QColor mischen(const QColor& a, const QColor& b, double anteilB) {
  auto kanal = [&](int x, int y) { return int(std::lround(x + (y - x) * anteilB)); };
  return QColor(kanal(a.red(), b.red()), kanal(a.green(), b.green()), kanal(a.blue(), b.blue()));
}

QImage rund(const QColor& farbe) {
  QImage bild = leeresBild(11, 11);
  formMalen(bild, [](int x, int y) { return std::hypot(x - 5, y - 5) <= 5.4; }, farbe);
  // A highlight up left, as of light falling on a glass dome.
  bild.setPixelColor(3, 3, Qt::white);
  bild.setPixelColor(4, 3, mischen(farbe, Qt::white, 0.5));
  bild.setPixelColor(3, 4, mischen(farbe, Qt::white, 0.5));
  return bild;
}

QImage eckig(const QColor& farbe) {
  QImage bild = leeresBild(11, 11);
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 11; ++x) {
      const int ring = std::min({x, y, 10 - x, 10 - y});
      bild.setPixelColor(x, y, ring == 0 ? QColor(Qt::black) : ring == 1 ? QColor(Qt::white) : farbe);
    }
  }
  return bild;
}

QImage dreieck(const QColor& farbe, bool nachLinks) {
  QImage bild = leeresBild(12, 11);
  // The tip at the middle row of the first column (or the last), widening to
  // the full height at the other side.
  formMalen(bild,
            [nachLinks](int x, int y) {
              if (x < 0 || x > 11 || y < 0 || y > 10) return false;
              const int abstand = nachLinks ? x : 11 - x;
              return std::abs(y - 5) * 12 <= (abstand + 1) * 5;
            },
            farbe);
  return bild;
}

QImage balken(const QColor& dunkel, const QColor& hell) {
  QImage bild = leeresBild(11, 12);
  bild.fill(Qt::white);
  // Rows 1..10 inside the frame, from the light tone down to the dark one.
  for (int y = 1; y <= 10; ++y) {
    const QColor zeile = mischen(hell, dunkel, (y - 1) / 9.0);
    for (int x = 1; x <= 9; ++x) bild.setPixelColor(x, y, zeile);
  }
  return bild;
}

}  // namespace

int LEDBildnummer(int style, int color, int status) {
  if (style < 0 || style > kLEDStyleMax || color < 0 || color > kLEDColorMax || status < 0 ||
      status > kLEDStatusMax)
    return -1;
  return style * 8 + color * 2 + status;
}

QImage LEDBildMalen(int nummer) {
  if (nummer < 0 || nummer >= kLEDBilderAnzahl) return {};
  const int style = nummer / 8, color = nummer / 2 % 4, status = nummer % 2;
  switch (style) {
    case 0:
      return rund(farbe(kRund[color][status]));
    case 1:
      return eckig(farbe(kEckig[color][status]));
    case 2:
    case 3:
      return dreieck(farbe(kDreieck[color][status]), style == 2);
    default:
      return balken(farbe(kBalken[color][status][0]), farbe(kBalken[color][status][1]));
  }
}

const QList<QImage>& LEDStandardbilder() {
  static const QList<QImage> bilder = [] {
    QList<QImage> liste;
    for (int n = 0; n < kLEDBilderAnzahl; ++n) liste.append(LEDBildMalen(n));
    return liste;
  }();
  return bilder;
}

int16_t LEDWertBegrenzen(const QVariant& wert, int16_t obergrenze) {
  // Numbers become text with "." as the decimal mark, so 0.5 reads as 0.5.
  double x = val(wert.toString());
  if (!(x >= 0)) x = 0;  // also a value that is not a number
  x = std::min(x, double(obergrenze));
  return int16_t(rundeHalbGerade(x));
}

LEDs::LEDs(QWidget* parent) : QWidget(parent), bilder_(LEDStandardbilder()) {
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
  LEDZeichnen();
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
  // A state outside the ranges (possible through Init or the property bag)
  // has no picture: the lamp then shows nothing instead of reading past its
  // picture table.
  const int nummer = LEDBildnummer(style_, color_, status_);
  imgLED_ = nummer >= 0 && nummer < bilder_.size() ? bilder_.at(nummer) : QImage();
  if (!imgLED_.isNull()) {
    imgLEDGroesse_ = imgLED_.size();
    if (imgLEDGroesse_ != size()) Resize();
  }
  update();
}

void LEDs::paintEvent(QPaintEvent*) {
  QPainter maler(this);
  // Opaque: the control's own background; transparent: the container shows
  // through the picture's transparent parts.
  if (!transparent_) maler.fillRect(rect(), palette().color(backgroundRole()));
  if (!imgLED_.isNull()) maler.drawImage(0, 0, imgLED_);
}

}  // namespace pv
