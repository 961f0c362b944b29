#include "startform.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <cmath>

#include "common/bildschirmbild.h"

namespace pv {

QPixmap startbild(int breite, qreal verhaeltnis) {
  // Drawn at 420 x 240 and scaled to the width asked for.
  const double massstab = breite / 420.0;
  QPixmap bild = QPixmap::fromImage(
      bildschirmbild(QSize(breite, int(std::lround(240 * massstab))), verhaeltnis, Qt::black));
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(massstab, massstab);
  QLinearGradient verlauf(0, 0, 0, 240);
  verlauf.setColorAt(0, QColor(30, 60, 110));
  verlauf.setColorAt(1, QColor(10, 25, 50));
  p.fillRect(QRect(0, 0, 420, 240), verlauf);
  // A measured curve across the picture.
  p.setPen(QPen(QColor(120, 220, 120), 2));
  QPolygonF kurve;
  for (int x = 0; x <= 420; x += 6) kurve << QPointF(x, 170 - 40 * std::sin(x / 40.0) * std::exp(-x / 500.0));
  p.drawPolyline(kurve);
  QFont schrift(QStringLiteral("DejaVu Sans"), 34, QFont::Bold);
  p.setFont(schrift);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 30, 420, 60), Qt::AlignCenter, QStringLiteral("Pelvaron"));
  schrift.setPointSize(11);
  schrift.setBold(false);
  p.setFont(schrift);
  p.drawText(QRect(0, 90, 420, 24), Qt::AlignCenter, QStringLiteral("Messwerterfassung"));
  return bild;
}

StartForm::StartForm(const QString& version, QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("Pelvaron"));
  Picture1 = new QLabel(this);
  Picture1->setPixmap(startbild(420, devicePixelRatioF()));
  Picture1->setGeometry(0, 0, 420, 240);
  setFixedSize(420, 240);

  auto beschriftung = [this](const QString& text, const QRect& ort) {
    auto* l = new QLabel(text, this);
    l->setStyleSheet(QStringLiteral("color: white;"));
    l->setGeometry(ort);
    return l;
  };
  lblVersion = beschriftung(version, QRect(12, 206, 160, 24));
  Label4 = beschriftung(QStringLiteral("Programm wird initialisiert..."), QRect(12, 130, 396, 24));
  Label4->setAlignment(Qt::AlignCenter);
  Label4->setVisible(false);
  Label2 = beschriftung(QStringLiteral("Abbrechen"), QRect(330, 206, 80, 24));
  Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label2->setCursor(Qt::PointingHandCursor);
  Label2->installEventFilter(this);
}

void StartForm::keyPressEvent(QKeyEvent* ereignis) {
  if (ereignis->key() == Qt::Key_Escape) {
    emit abgebrochen();
    return;
  }
  QWidget::keyPressEvent(ereignis);
}

bool StartForm::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == Label2 && ereignis->type() == QEvent::MouseButtonRelease) {
    emit abgebrochen();
    return true;
  }
  return QWidget::eventFilter(objekt, ereignis);
}

}  // namespace pv
