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
// of the last complete graph stays.
class Bildflaeche {
 public:
  explicit Bildflaeche(QSize groesse = QSize(1, 1));
  void groesseSetzen(QSize groesse);
  // Fills the picture with the surface's background colour.
  void leeren();
  Zeichenflaeche& flaeche() { return *flaeche_; }
  const QImage& bild() const { return bild_; }

 private:
  QImage bild_;
  std::unique_ptr<Zeichenflaeche> flaeche_;
};

// The plot area GRAF: shows its picture, which always has the widget's size,
// and the lines of the mouse modes over it; reports the mouse in the
// coordinates of the last drawing.
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
  Bildflaeche bild_;
  const Ueberlagerung* ueberlagerung_ = nullptr;
};

}  // namespace pv
