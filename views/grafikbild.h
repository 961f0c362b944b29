#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QWidget>
#include <memory>
#include <optional>

#include "common/plotten_flaeche.h"

namespace pv {

// A picture that graphs are drawn into, with the drawing surface on it.
// A new size gives an empty picture and a surface without a scale.
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
// and the zoom rectangle over it.
class GrafikBild : public QWidget {
  Q_OBJECT

 public:
  explicit GrafikBild(QWidget* parent = nullptr);
  Zeichenflaeche& flaeche() { return bild_.flaeche(); }
  const QImage& bild() const { return bild_.bild(); }
  void leeren();

  // The zoom rectangle (the lines LO, LL, LR, LU) in the coordinates of the
  // last drawing; hidden while empty.
  void zoomrechteckSetzen(std::optional<QRectF> werte);
  const std::optional<QRectF>& zoomrechteck() const { return zoomrechteck_; }

 signals:
  void groesseGeaendert();

 protected:
  void paintEvent(QPaintEvent* ereignis) override;
  void resizeEvent(QResizeEvent* ereignis) override;

 private:
  Bildflaeche bild_;
  std::optional<QRectF> zoomrechteck_;
};

}  // namespace pv
