#pragma once

#include <QChar>
#include <QImage>
#include <QString>
#include <QWidget>

#include "common/plotten.h"

namespace pv {

struct Kennlinie;

// The plot settings of the characteristic (KennlinieGrafik).
GrafikEinstellungen kennlinieGrafik(const QString& sensorname, const QString& xAchse, const QString& yAchse);

// The characteristic k plotted on a picture of `groesse` pixels at the
// screen's device pixel ratio (white where nothing is drawn).
QImage kennlinieMalen(const Kennlinie& k, GrafikEinstellungen einstellungen, QChar dezimal, QSize groesse,
                      qreal verhaeltnis);

// The picture box the characteristic is plotted on.
class KennlinienBild : public QWidget {
  Q_OBJECT
 public:
  explicit KennlinienBild(QWidget* parent = nullptr);
  // Empties the picture; nothing is redrawn on resize until the next plot.
  void leeren();
  // Plots the editing characteristic and keeps doing so after a resize.
  void zeichnen(GrafikEinstellungen einstellungen, QChar dezimaltrennzeichen);

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  void neuZeichnen();
  QImage bild_;
  bool zeigen_ = false;
  GrafikEinstellungen einstellungen_;
  QChar dezimal_ = u',';
};

}  // namespace pv
