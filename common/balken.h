#pragma once

#include <QChar>
#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>

class QPainter;
class QRect;

namespace pv {
class Balkenanzeige;
}

namespace Tolvek {

// Colours of the level bar (0x00BBGGRR).
inline constexpr uint32_t kPegelGruen = 0x0000FF00;
inline constexpr uint32_t kPegelRot = 0x000000FF;

// Paints the level bar for a value in percent across the area: green up to 90,
// a ramp from green over yellow to red in unit steps near the top, the rest in
// the button-face colour; all red below 0 or above 99.99.
void PegelMalen(QPainter& maler, const QRect& flaeche, float wert, const QColor& knopfflaeche);

// Paints a plain progress bar: foreground up to the value (percent), background
// after it.
void FortschrittMalen(QPainter& maler, const QRect& flaeche, float wert, const QColor& vordergrund,
                      const QColor& hintergrund);

// Draw into the box's picture and leave the value as text (with the given
// decimal separator) in its tag. A missing box draws nothing.
void PegelZeigen(pv::Balkenanzeige* box, float wert, QChar dezimaltrennzeichen);
void FortschrittZeigen(pv::Balkenanzeige* box, float wert, QChar dezimaltrennzeichen);

}  // namespace Tolvek

namespace pv {

// Keeps a bar box's picture at the box's size (logical pixels) and device
// pixel ratio: null for an empty box, new in the background colour, or the
// old bar stretched to the new size.
void balkenbildAnpassen(QImage& bild, QSize groesse, qreal verhaeltnis, const QColor& hintergrund);

// A box showing a horizontal bar. The bar is painted into a picture the box
// keeps (so a later call paints over what an earlier one left) at the
// screen's device pixel ratio, and shown stretched to the widget.
class Balkenanzeige : public QWidget {
  Q_OBJECT

 public:
  explicit Balkenanzeige(QWidget* parent = nullptr);

  // The picture the bars are drawn into, as large as the box at the
  // screen's ratio; null while the box has no area.
  QImage& bild();

  // The last value drawn and its text.
  float Wert() const { return wert_; }
  const QString& Tag() const { return tag_; }
  // Records the value just drawn and shows the picture again.
  void Gezeichnet(float wert, const QString& tag);

  QColor Vordergrund() const { return vordergrund_; }
  QColor Hintergrund() const { return hintergrund_; }
  void VordergrundSetzen(const QColor& farbe) { vordergrund_ = farbe; }
  void HintergrundSetzen(const QColor& farbe) { hintergrund_ = farbe; }
  // The unfilled rest of the level bar.
  QColor Knopfflaeche() const;

  QSize sizeHint() const override { return {200, 16}; }

 protected:
  void paintEvent(QPaintEvent* ereignis) override;

 private:
  QImage bild_;
  float wert_ = 0;
  QString tag_;
  QColor vordergrund_;
  QColor hintergrund_;
};

}  // namespace pv
