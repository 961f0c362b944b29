#include "hyperlink.h"

#include <QCursor>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <utility>

#include "programmordner.h"

namespace pv {

namespace {

FreeLink::Oeffner& oeffner() {
  static FreeLink::Oeffner o = [](const QUrl& adresse) { QDesktopServices::openUrl(adresse); };
  return o;
}

}  // namespace

QUrl linkAdresse(const QString& ziel) {
  // A one-letter "scheme" is a drive ("C:\...").
  const QUrl url(ziel);
  if (url.isValid() && url.scheme().size() > 1) return url;
  return QUrl::fromLocalFile(Programmordner::datei(ziel));
}

void FreeLink::oeffnerSetzen(Oeffner neu) { oeffner() = std::move(neu); }

FreeLink::FreeLink(QWidget* eltern)
    : QWidget(eltern), lblLink_(new QLabel(QStringLiteral("Label1"), this)), tmrMouse_(new QTimer(this)) {
  backColor_ = backColorActive_ = palette().color(QPalette::Button);
  foreColor_ = palette().color(QPalette::WindowText);
  foreColorActive_ = QColor(255, 0, 0);
  font_ = font();
  fontActive_ = font_;
  fontActive_.setUnderline(true);
  setAutoFillBackground(true);
  setCursor(Qt::PointingHandCursor);
  lblLink_->setAttribute(Qt::WA_TransparentForMouseEvents);
  // The pointer may leave without a leave event (a window popping up over
  // the link): every 20 ms the hover look checks that it is still inside.
  tmrMouse_->setInterval(20);
  connect(tmrMouse_, &QTimer::timeout, this, [this] {
    if (!rect().contains(mapFromGlobal(QCursor::pos()))) aussehen(false);
  });
  aussehen(false);
}

void FreeLink::BackColorSetzen(const QColor& farbe) {
  backColor_ = farbe;
  aussehen(aktiv_);
}

void FreeLink::ForeColorSetzen(const QColor& farbe) {
  foreColor_ = farbe;
  aussehen(aktiv_);
}

void FreeLink::FontSetzen(const QFont& schrift) {
  font_ = schrift;
  aussehen(aktiv_);
}

QString FreeLink::Caption() const { return lblLink_->text(); }

void FreeLink::CaptionSetzen(const QString& text) {
  lblLink_->setText(text);
  groesseAnpassen();
}

void FreeLink::AutoSizeSetzen(bool an) {
  autoSize_ = an;
  groesseAnpassen();
}

void FreeLink::AlignmentSetzen(Qt::Alignment ausrichtung) { lblLink_->setAlignment(ausrichtung); }

void FreeLink::OpenURL() {
  if (!hyperLink_.isEmpty() && oeffner()) oeffner()(linkAdresse(hyperLink_));
}

QSize FreeLink::sizeHint() const { return lblLink_->sizeHint(); }

void FreeLink::aussehen(bool aktiv) {
  aktiv_ = aktiv;
  QPalette p = palette();
  p.setColor(QPalette::Window, aktiv ? backColorActive_ : backColor_);
  setPalette(p);
  QPalette t = lblLink_->palette();
  t.setColor(QPalette::WindowText, aktiv ? foreColorActive_ : foreColor_);
  lblLink_->setPalette(t);
  lblLink_->setFont(aktiv ? fontActive_ : font_);
  if (aktiv) tmrMouse_->start(); else tmrMouse_->stop();
  groesseAnpassen();
}

void FreeLink::groesseAnpassen() {
  updateGeometry();
  if (!autoSize_) return;
  // The control follows its label; the resize this causes must not move
  // the label back.
  groesseAendern_ = true;
  lblLink_->adjustSize();
  resize(lblLink_->size());
  groesseAendern_ = false;
}

void FreeLink::resizeEvent(QResizeEvent*) {
  if (!groesseAendern_) lblLink_->setGeometry(rect());
}

void FreeLink::enterEvent(QEnterEvent*) {
  if (!aktiv_) aussehen(true);
}

void FreeLink::leaveEvent(QEvent*) { aussehen(false); }

void FreeLink::mouseReleaseEvent(QMouseEvent* ereignis) {
  // A double click clicks once: with its first release.
  if (std::exchange(doppelklick_, false)) return;
  if (ereignis->button() != Qt::LeftButton || !rect().contains(ereignis->position().toPoint())) return;
  emit Click();
  OpenURL();
}

void FreeLink::mouseDoubleClickEvent(QMouseEvent*) { doppelklick_ = true; }

}  // namespace pv
