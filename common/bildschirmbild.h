#pragma once

#include <QImage>
#include <QPen>
#include <QRect>
#include <QSize>

class QPainter;

namespace pv {

// Pictures that a widget paints itself from: made at the screen's device
// pixel ratio, so that they show sharp on a high-resolution screen. A
// painter on such a picture works in the widget's logical pixels; the
// picture holds `verhaeltnis` times as many pixels each way.

// The size in device pixels of a picture that covers `groesse` logical
// pixels at the ratio (rounded up, at least 1 x 1).
QSize geraetegroesse(QSize groesse, qreal verhaeltnis);

// A picture covering `groesse` logical pixels at the ratio, filled with
// `farbe`.
QImage bildschirmbild(QSize groesse, qreal verhaeltnis, const QColor& farbe,
                      QImage::Format format = QImage::Format_RGB32);

// Whether the picture was made for that size and ratio.
bool bildPasst(const QImage& bild, QSize groesse, qreal verhaeltnis);

// The picture's area in logical pixels, where its painter draws.
QRect logischeFlaeche(const QImage& bild);

// The device pixels a line one logical pixel wide covers: the ratio
// rounded, at least one, so that such a line is equally wide wherever it
// falls (at 1.5 two everywhere, not one or two by its place).
int haarlinienbreite(qreal verhaeltnis);

// A pen for lines one logical pixel wide at the ratio.
QPen haarstift(const QColor& farbe, qreal verhaeltnis, Qt::PenStyle stil = Qt::SolidLine);

// A frame one logical pixel wide inside the rectangle, as strips of whole
// device pixels: the top and left strips in one colour, the bottom and
// right ones in the other. A frame drawn as lines along a widget's edge
// falls partly outside it at a fractional ratio (1.5) and may leave the top
// and the left side bare.
void rahmenMalen(QPainter& maler, const QRect& flaeche, qreal verhaeltnis, const QColor& obenLinks,
                 const QColor& untenRechts);

// Draws the picture pixel for pixel with its top left corner `punkt` device
// pixels right of and below the first whole device pixel at or after the
// painter's origin. At a fractional ratio (1.25, 1.5) a widget's origin may
// lie between device pixels, and pictures placed at logical pixels come out
// one device pixel nearer or farther apart by their place; pictures drawn
// here at whole device pixels apart touch without gap or overlap. A widget
// drawing so needs one device pixel to spare right and below.
void aufGeraetepixelnMalen(QPainter& maler, QPoint punkt, const QImage& bild);

}  // namespace pv
