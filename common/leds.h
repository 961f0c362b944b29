#pragma once

#include <QImage>
#include <QList>
#include <QVariant>
#include <QVariantMap>
#include <QWidget>
#include <cstdint>

namespace pv {

// Ranges of the lamp's shape, colour and state.
inline constexpr int16_t kLEDStyleMax = 4;  // 0 round, 1 square, 2 triangle left, 3 right, 4 bar
inline constexpr int16_t kLEDColorMax = 3;  // 0 green, 1 red, 2 blue, 3 orange
inline constexpr int16_t kLEDStatusMax = 1; // 0 off, 1 on
inline constexpr int kLEDBilderAnzahl = 40;

// The picture number of a lamp: style * 8 + colour * 2 + state (0..39).
// -1 when one of the three lies outside its range: such a lamp has no picture.
int LEDBildnummer(int style, int color, int status);

// The lamp picture with the given number (transparent outside the shape),
// painted for a screen of the given device pixel ratio (its size in logical
// pixels stays that of the art); null for a number outside 0..39.
QImage LEDBildMalen(int nummer, qreal verhaeltnis = 1);

// The 40 lamp pictures for a ratio, index = picture number, painted once.
const QList<QImage>& LEDStandardbilder(qreal verhaeltnis = 1);

// What writing Style, Color or Status stores: the leading number of the
// value's text (0 when there is none), kept within 0..obergrenze, rounded
// half to even.
int16_t LEDWertBegrenzen(const QVariant& wert, int16_t obergrenze);

// A small lamp showing one prepared picture chosen by shape, colour and
// state. The control fits itself to its picture.
class LEDs : public QWidget {
  Q_OBJECT

 public:
  explicit LEDs(QWidget* parent = nullptr);

  int16_t Style() const { return style_; }
  int16_t Color() const { return color_; }
  int16_t Status() const { return status_; }
  bool Transparent() const { return transparent_; }

  // Accept any value (number or text); see LEDWertBegrenzen. Redraw.
  void StyleSetzen(const QVariant& wert);
  void ColorSetzen(const QVariant& wert);
  void StatusSetzen(const QVariant& wert);
  void TransparentSetzen(bool wert);

  // Sets all four at once as given (the caller keeps to the ranges), makes
  // the control 1000 twips high and redraws, which fits it to the picture.
  void Init(int16_t style, int16_t color, int16_t status, bool transparent);

  // Makes the control exactly as large as the picture it shows.
  void Resize();

  // Replaces the picture set (index = picture number), e.g. with pictures
  // loaded from files; numbers beyond the list show nothing. Without it the
  // lamp shows the standard pictures of its screen's ratio.
  void BilderSetzen(const QList<QImage>& bilder);

  // The picture shown at present; null when the lamp has none.
  const QImage& Bild() const { return imgLED_; }
  // The same, chosen anew when the lamp has moved to a screen of another
  // ratio since.
  const QImage& BildFuerBildschirm();

  // Design-time properties in a property bag: "Style", "Color", "Status"
  // (default 0) and "Transparent" (default True); values equal to their
  // default are left out. Reading stores the values as read and redraws.
  void EigenschaftenSchreiben(QVariantMap& beutel) const;
  void EigenschaftenLesen(const QVariantMap& beutel);

  QSize sizeHint() const override;

 signals:
  // Another picture chosen: a container that draws the lamp shows it.
  void geaendert();

 protected:
  void paintEvent(QPaintEvent* ereignis) override;

 private:
  void LEDZeichnen();
  // Takes the picture of the state and fits the control to it.
  void bildWaehlen();
  const QList<QImage>& bilder() const;

  QList<QImage> bilder_;
  bool eigeneBilder_ = false;
  QImage imgLED_;
  QSize imgLEDGroesse_;
  int16_t style_ = 0;
  int16_t color_ = 0;
  int16_t status_ = 0;
  bool transparent_ = false;
};

}  // namespace pv
