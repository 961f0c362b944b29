#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QWidget>
#include <memory>
#include <optional>

#include "common/plotten_flaeche.h"
#include "views/mausmodi.h"

namespace pv {

// A picture that graphs are drawn into, with the drawing surface on it.
// A new size gives an empty picture and a surface without a scale; the range
// of the last complete graph stays. The size is in the surface's pixels; a
// picture for a screen takes the screen's device pixel ratio and holds that
// many more pixels (a bitmap to export keeps the ratio 1: its size is its
// size in pixels).
class Bildflaeche {
 public:
  explicit Bildflaeche(QSize groesse = QSize(1, 1), qreal verhaeltnis = 1);
  void groesseSetzen(QSize groesse, qreal verhaeltnis = 1);
  // Whether the picture was made for that size and ratio.
  bool passt(QSize groesse, qreal verhaeltnis) const;
  // Fills the picture with the surface's background colour.
  void leeren();
  Zeichenflaeche& flaeche() { return *flaeche_; }
  const QImage& bild() const { return bild_; }

 private:
  QImage bild_;
  std::unique_ptr<Zeichenflaeche> flaeche_;
};

// The plot area GRAF: shows its picture, which always has the widget's size
// and device pixel ratio, and the lines of the mouse modes over it; reports
// the mouse in the coordinates of the last drawing. A new size or ratio (the
// window moved to another screen) gives an empty picture and
// groesseGeaendert().
class GrafikBild : public QWidget {
  Q_OBJECT

 public:
  explicit GrafikBild(QWidget* parent = nullptr);
  Zeichenflaeche& flaeche() { return bild_.flaeche(); }
  const QImage& bild() const { return bild_.bild(); }
  void leeren();

  // What is shown over the picture (owned by the caller); nullptr: nothing.
  void ueberlagerungZeigen(const Ueberlagerung* u);

 signals:
  void groesseGeaendert();
  // Buttons 1 left, 2 right, 4 middle; a move reports all buttons held.
  // Only while the picture has the scale of a drawing.
  void mausGedrueckt(int taste, QPointF wert);
  void mausBewegt(int tasten, QPointF wert);
  void mausLosgelassen(int taste);

 protected:
  void paintEvent(QPaintEvent* ereignis) override;
  void resizeEvent(QResizeEvent* ereignis) override;
  void mousePressEvent(QMouseEvent* ereignis) override;
  void mouseMoveEvent(QMouseEvent* ereignis) override;
  void mouseReleaseEvent(QMouseEvent* ereignis) override;

 private:
  // A new picture when size or ratio changed; true when it did.
  bool bildAnpassen();
  Bildflaeche bild_;
  const Ueberlagerung* ueberlagerung_ = nullptr;
};

}  // namespace pv
