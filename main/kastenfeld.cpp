#include "kastenfeld.h"

#include <QPainter>

#include "common/bildschirmbild.h"

namespace pv {

Kastenfeld::Kastenfeld(Rand rand, QWidget* parent) : QLabel(parent), rand_(rand) {
  setFrameShape(QFrame::NoFrame);
  setContentsMargins(1, 1, 1, 1);
}

void Kastenfeld::paintEvent(QPaintEvent* ereignis) {
  QLabel::paintEvent(ereignis);
  QPainter maler(this);
  const QPalette& p = palette();
  if (rand_ == Rand::Flach) {
    // The colour the platform's style gives a picture box's frame.
    const QColor linie = p.color(QPalette::Window).darker(140).lighter(108);
    rahmenMalen(maler, rect(), devicePixelRatioF(), linie, linie);
  } else {
    rahmenMalen(maler, rect(), devicePixelRatioF(), p.color(QPalette::Dark), p.color(QPalette::Light));
  }
}

}  // namespace pv
