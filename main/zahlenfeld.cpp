#include "zahlenfeld.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "common/farben.h"
#include "common/meldungen.h"
#include "common/zahlen.h"
#include "main/langzeit.h"

namespace pv {


QString wartezeitAnzeige(float wartezeit, QChar dezimal) { return wartezeitText(wartezeit, dezimal); }

Festlegung wartezeitFestlegen(const QString& text, float& wartezeit, QChar dezimal, Meldungen& meldungen) {
  Festlegung f;
  if (const auto v = singleLesen(text, dezimal)) {
    if (*v < 0 || *v > 86400) {
      meldungen.hinweis(QStringLiteral("Der eingegebene Wert ist nicht erlaubt.\r\n(erlaubter Bereich: 0 bis 86400)"));
      return f;
    }
    wartezeit = *v;
    f.uebernommen = true;
  }
  f.fest = true;
  f.anzeige = wartezeitAnzeige(wartezeit, dezimal);
  return f;
}

Festlegung koeffizientFestlegen(const QString& text, float& wert, QChar dezimal, const QString& fehlertext,
                                Meldungen& meldungen) {
  Festlegung f;
  const auto v = singleLesen(text, dezimal);
  if (!v) {
    meldungen.hinweis(fehlertext);
    return f;
  }
  wert = *v;
  f.uebernommen = f.fest = true;
  f.anzeige = singleText(*v, dezimal);
  return f;
}

bool linearUebernehmen(QString& textM, QString& textT, float& m, float& t, QChar dezimal, Meldungen& meldungen) {
  const auto ungueltig = [&](const QString& feld) {
    meldungen.hinweis(QStringLiteral("Die Angabe für ") + feld + QStringLiteral(" ist ungültig! \r\nBitte korrigieren."));
    return false;
  };
  const auto vm = singleLesen(textM, dezimal);
  if (!vm) return ungueltig(QStringLiteral("die Steigung"));
  textM = singleText(*vm, dezimal);
  m = *vm;
  const auto vt = singleLesen(textT, dezimal);
  if (!vt) return ungueltig(QStringLiteral("den Achsenabschnitt"));
  textT = singleText(*vt, dezimal);
  t = *vt;
  return true;
}

Zahlenfeld::Zahlenfeld(QLineEdit* feld, Festlegen festlegen, Anzeige wiederherstellen)
    : QObject(feld), feld_(feld), festlegen_(std::move(festlegen)), wiederherstellen_(std::move(wiederherstellen)) {
  feld_->setAutoFillBackground(true);
  feld_->installEventFilter(this);
  // Whatever way the user changes the text (typing, pasting from the context
  // menu or with the middle button, dropping, undoing) counts as typing; the
  // program setting the text does not.
  connect(feld_, &QLineEdit::textEdited, this, [this] { farbe(kFeldGeaendert); });
  festgesetzt();
}

void Zahlenfeld::farbe(uint32_t bgr) {
  QPalette p = feld_->palette();
  p.setColor(QPalette::Base, pv::farbe(bgr));
  feld_->setPalette(p);
}

bool Zahlenfeld::geaendert() const { return bgrWert(feld_->palette().color(QPalette::Base)) == kFeldGeaendert; }

QString Zahlenfeld::festerText() const { return geaendert() ? festerText_ : feld_->text(); }

void Zahlenfeld::festgesetzt() {
  festerText_ = feld_->text();
  farbe(kFeldFest);
}

void Zahlenfeld::festlegen(bool perEnter) {
  // A message box shown by the commit takes the focus away from the box:
  // that must not commit (and show the message) once more.
  if (beschaeftigt_) return;
  beschaeftigt_ = true;
  const Festlegung f = festlegen_(feld_->text());
  beschaeftigt_ = false;
  if (!f.fest) return;
  feld_->setText(f.anzeige);
  festgesetzt();
  if (perEnter && f.uebernommen && perEnterUebernommen) perEnterUebernommen();
}

void Zahlenfeld::wiederherstellen() {
  feld_->setText(wiederherstellen_ ? wiederherstellen_() : festerText_);
  festgesetzt();
}

bool Zahlenfeld::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt != feld_) return false;
  if (ereignis->type() == QEvent::KeyPress) {
    const auto* taste = static_cast<QKeyEvent*>(ereignis);
    switch (taste->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        festlegen(true);
        return true;
      case Qt::Key_Escape:
        wiederherstellen();
        return true;
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        // Moving on to the next control is not typing.
        return false;
      default:
        // Modifier keys alone do not count as typing.
        if (taste->key() < Qt::Key_Shift || taste->key() > Qt::Key_ScrollLock) farbe(kFeldGeaendert);
        return false;
    }
  }
  if (ereignis->type() == QEvent::FocusOut) {
    const Qt::FocusReason grund = static_cast<QFocusEvent*>(ereignis)->reason();
    // Only the user moving on within the window commits an entry; another
    // window, a menu or the menu bar coming up leaves it as it is. A box
    // that shows the value in force is left alone: taking its rounded text
    // back would lose the value's precision (2.56 s shown as "2,6").
    const bool wegbewegt = grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason &&
                           grund != Qt::MenuBarFocusReason;
    if (wegbewegt && geaendert()) festlegen(false);
  }
  return false;
}

QString festerText(const QLineEdit* feld) {
  const auto* e = feld->findChild<Zahlenfeld*>(QString(), Qt::FindDirectChildrenOnly);
  return e ? e->festerText() : feld->text();
}

}  // namespace pv
