#include "hyperlink.h"

#include <QCursor>
#include <QDesktopServices>
#include <QFrame>
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
  // Every move over the link is reported, not only those with a button down.
  setMouseTracking(true);
  lblLink_->setAttribute(Qt::WA_TransparentForMouseEvents);
  UseMnemonicSetzen(true);
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

bool FreeLink::WordWrap() const { return lblLink_->wordWrap(); }

void FreeLink::WordWrapSetzen(bool an) {
  lblLink_->setWordWrap(an);
  updateGeometry();
}

Qt::Alignment FreeLink::Alignment() const { return lblLink_->alignment(); }

void FreeLink::AlignmentSetzen(Qt::Alignment ausrichtung) { lblLink_->setAlignment(ausrichtung); }

void FreeLink::BorderStyleSetzen(int16_t stil) {
  if (stil != 0 && stil != 1) return;
  borderStyle_ = stil;
  rahmenZeigen();
}

void FreeLink::AppearanceSetzen(int16_t art) {
  if (art != 0 && art != 1) return;
  appearance_ = art;
  rahmenZeigen();
}

void FreeLink::rahmenZeigen() {
  if (borderStyle_ == 0)
    lblLink_->setFrameStyle(QFrame::NoFrame);
  else
    lblLink_->setFrameStyle(appearance_ == 1 ? QFrame::Panel | QFrame::Sunken : QFrame::Box | QFrame::Plain);
  lblLink_->setLineWidth(1);
  updateGeometry();
}

// A label shows "&" as a mnemonic only when it has a buddy; the link itself
// is the one the mnemonic leads to.
bool FreeLink::UseMnemonic() const { return lblLink_->buddy() != nullptr; }

void FreeLink::UseMnemonicSetzen(bool an) {
  // The label decides on the mnemonic when it gets its text; losing the
  // buddy alone would leave the "&" hidden.
  const QString text = lblLink_->text();
  lblLink_->clear();
  lblLink_->setBuddy(an ? this : nullptr);
  lblLink_->setText(text);
}

void FreeLink::MousePointerSetzen(Qt::CursorShape form) {
  if (form == Qt::BitmapCursor || form == Qt::CustomCursor) return;
  setCursor(form);
}

QPixmap FreeLink::MouseIcon() const {
  return cursor().shape() == Qt::BitmapCursor ? cursor().pixmap() : QPixmap();
}

void FreeLink::MouseIconSetzen(const QPixmap& bild) {
  if (!bild.isNull())
    setCursor(QCursor(bild));
  else if (cursor().shape() == Qt::BitmapCursor)
    unsetCursor();
}

void FreeLink::OLEDropModeSetzen(int16_t modus) {
  if (modus == 0 || modus == 1) setAcceptDrops(modus == 1);
}

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
  // A disabled link reports no mouse and so shows no hover look either.
  if (!aktiv_ && isEnabled()) aussehen(true);
}

void FreeLink::leaveEvent(QEvent*) { aussehen(false); }

QPointF FreeLink::aufDemLabel(const QMouseEvent* ereignis) const {
  return lblLink_->mapFrom(this, ereignis->position());
}

void FreeLink::mousePressEvent(QMouseEvent* ereignis) {
  emit MouseDown(ereignis->button(), ereignis->modifiers(), aufDemLabel(ereignis));
}

void FreeLink::mouseMoveEvent(QMouseEvent* ereignis) {
  if (!aktiv_) aussehen(true);
  emit MouseMove(ereignis->buttons(), ereignis->modifiers(), aufDemLabel(ereignis));
}

void FreeLink::mouseReleaseEvent(QMouseEvent* ereignis) {
  emit MouseUp(ereignis->button(), ereignis->modifiers(), aufDemLabel(ereignis));
  // A double click clicks once: with its first release.
  if (std::exchange(doppelklick_, false)) return;
  if (ereignis->button() != Qt::LeftButton || !rect().contains(ereignis->position().toPoint())) return;
  emit Click();
  OpenURL();
}

// The second press of a double click is no further MouseDown.
void FreeLink::mouseDoubleClickEvent(QMouseEvent* ereignis) {
  doppelklick_ = true;
  if (ereignis->button() == Qt::LeftButton) emit DblClick();
}

}  // namespace pv
