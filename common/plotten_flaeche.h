#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>
#include <span>

class QPaintDevice;

namespace pv {

// The axis ranges of a graph.
struct Grafikbereich {
  float XMin = 0;
  float XMax = 0;
  float YMin = 0;
  float YMax = 0;
};

// A surface that graphs are drawn on: a picture (QImage, QPixmap) that a
// window shows, or the printer through the print job's painter.
//
// Besides the drawing operations it keeps the coordinate system of the last
// graph drawn on it: the data-to-pixel transform set by skalieren() and the
// range of the last complete graph. Both stay after a graph was drawn, so
// the graph window can append new values (linieWert/punktWert), turn mouse
// positions into values (zuWert) and print what it shows, whatever other
// surface (a sensor's characteristic, the print preview) was drawn since.
//
// The drawing operations work in the surface's pixels and are virtual, so a
// test can record what a graph consists of. On a picture made for a
// high-resolution screen (a device pixel ratio above 1) these pixels are
// logical ones: sizes, line widths and fonts come out as on an ordinary
// screen, with the ratio's finer detail. A printed page can also be drawn
// shrunk onto a picture (the print preview): its pixels are then the
// printer's, and the ratio below 1.
class Zeichenflaeche {
 public:
  // Draws on the device with a painter of its own, opened while drawing and
  // closed afterwards, so the picture may be shown in between.
  explicit Zeichenflaeche(QPaintDevice& geraet);
  // Draws with the caller's open painter (the printer's job, whose pages the
  // caller ends itself); its state is restored after every operation.
  explicit Zeichenflaeche(QPainter& maler);
  // A page `seite` printer pixels large at `dpi` dots per inch, drawn shrunk
  // onto the picture as far as it fits: sizes, widths and fonts are the
  // page's, the picture takes the page's resolution, and lines thinner than
  // its pixels are drawn smoothed, as light as they are thin.
  Zeichenflaeche(QImage& bild, QSizeF seite, double dpi);
  virtual ~Zeichenflaeche();
  Zeichenflaeche(const Zeichenflaeche&) = delete;
  Zeichenflaeche& operator=(const Zeichenflaeche&) = delete;

  // Size of the surface in pixels (logical ones on a picture with a ratio).
  double breite() const;
  double hoehe() const;
  // Device pixels per pixel: the picture's device pixel ratio; 1 on the
  // printer and on a picture for an ordinary screen; below 1 on a page
  // drawn shrunk.
  double verhaeltnis() const;
  // The device's resolution in dots per inch.
  double dpiX() const;
  double dpiY() const;

  // The colour leeren() fills the surface with.
  QColor hintergrundfarbe = Qt::white;
  // Resolution of the screen that line widths are given for; on the printer
  // widths grow by the ratio of the two (see Tolvek::GrafikZeichnen).
  double bildschirmDpi = 96.0;
  // Called by aktualisieren(): a window shows what was drawn so far.
  std::function<void()> beiAktualisierung;
  // The surface is the printer: a graph neither clears nor refreshes it, and
  // its line widths grow with the printer's resolution.
  bool drucker = false;
  // The range of the last graph drawn completely on this surface (written by
  // Tolvek::GrafikZeichnen on result 1); all 0 before the first.
  Grafikbereich letzteGrafik;
  // The plotting area of the last graph in pixels, its axes included
  // (written by Tolvek::GrafikZeichnen with the scale); empty before the
  // first. The lines of its values, and those added with linieWert, are cut
  // to it; the dots of values inside it are drawn whole.
  QRectF wertebereich;

  // --- user scale ---
  // User coordinates with (x1, y1) at the top left corner of the surface and
  // (x2, y2) at the bottom right; with y1 > y2 the y axis grows upward.
  void skalieren(double x1, double y1, double x2, double y2);
  bool hatSkala() const { return skaliert_; }
  double skalaLinks() const { return x1_; }
  double skalaOben() const { return y1_; }
  double skalaBreite() const { return x2_ - x1_; }
  double skalaHoehe() const { return y2_ - y1_; }
  // Pixels per user unit; negative for an axis that runs against the device.
  double pixelProEinheitX() const;
  double pixelProEinheitY() const;
  QPointF zuPixel(double x, double y) const;
  QPointF zuWert(const QPointF& pixel) const;

  // --- drawing in pixels ---
  // Fills the whole surface with hintergrundfarbe.
  virtual void leeren();
  virtual void kasten(const QRectF& rechteck, const QColor& farbe);
  // Straight lines of the given width (1 = one pixel, wider ones with round
  // ends as a pen of that width draws them; widths in pixels, so at a ratio
  // of 2 a line of 1 covers two device pixels).
  virtual void linien(std::span<const QLineF> linien, const QColor& farbe, double breite);
  // A connected line through the points.
  virtual void linienzug(std::span<const QPointF> punkte, const QColor& farbe, double breite);
  // Round dots of the given diameter (1 = one pixel), smoothed on a picture.
  virtual void punkte(std::span<const QPointF> punkte, const QColor& farbe, double durchmesser);
  // A text with its top left corner at obenLinks, turned by winkel degrees
  // counter-clockwise about that corner.
  virtual void text(const QPointF& obenLinks, const QString& text, const QFont& schrift, const QColor& farbe,
                    double winkel = 0);
  // Shows what was drawn so far (a window's refresh); calls beiAktualisierung.
  virtual void aktualisieren();
  // Width and line height of a text in pixels.
  virtual QSizeF textmass(const QString& text, const QFont& schrift) const;

  // --- drawing in user units with the current scale: a line cut to
  // wertebereich, a dot whole inside it and cut to it outside ---
  void linieWert(double x1, double y1, double x2, double y2, const QColor& farbe, double breite);
  void punktWert(double x, double y, const QColor& farbe, double durchmesser);

  // Keeps the own painter open over several operations (one graph).
  class Sitzung {
   public:
    explicit Sitzung(Zeichenflaeche& f) : f_(f) { ++f_.sitzungen_; }
    ~Sitzung() {
      --f_.sitzungen_;
      f_.fertig();
    }
    Sitzung(const Sitzung&) = delete;
    Sitzung& operator=(const Sitzung&) = delete;

   private:
    Zeichenflaeche& f_;
  };

  // While it lives every drawing operation is cut to the rectangle (in
  // pixels); an empty rectangle cuts nothing.
  class Begrenzung {
   public:
    Begrenzung(Zeichenflaeche& f, const QRectF& rechteck) : f_(f), vorher_(f.begrenzung_) {
      f_.begrenzung_ = rechteck;
    }
    ~Begrenzung() { f_.begrenzung_ = vorher_; }
    Begrenzung(const Begrenzung&) = delete;
    Begrenzung& operator=(const Begrenzung&) = delete;

   private:
    Zeichenflaeche& f_;
    QRectF vorher_;
  };

 protected:
  // The painter, opened when needed; fertig() closes an own painter when no
  // session holds it.
  QPainter& maler();
  void fertig();
  QPaintDevice* geraet() const { return geraet_; }
  // Lines are drawn smoothed: on a page shrunk below the picture's pixels.
  bool geglaettet() const;

 private:
  class Zug;
  QPaintDevice* geraet_ = nullptr;
  QPainter* fremd_ = nullptr;
  QPainter eigen_;
  int sitzungen_ = 0;
  // A page drawn shrunk: its size in its pixels; empty on any other surface.
  QSizeF seite_;
  QRectF begrenzung_;
  bool skaliert_ = false;
  double x1_ = 0, y1_ = 0, x2_ = 1, y2_ = 1;
};

}  // namespace pv
