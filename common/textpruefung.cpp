#include "textpruefung.h"

#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolTip>

#include "common/cp1252.h"

namespace pv {
namespace {

// Calls `f` with each code point of `text` as a string and its position.
template <class F>
void zeichenweise(const QString& text, F&& f) {
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype laenge = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    if (!f(text.mid(i, laenge), i)) return;
    i += laenge;
  }
}

}  // namespace

QString nichtSpeicherbaresZeichen(const QString& text) {
  QString gefunden;
  zeichenweise(text, [&](const QString& zeichen, qsizetype) {
    if (istCp1252(zeichen)) return true;
    gefunden = zeichen;
    return false;
  });
  return gefunden;
}

QString nichtSpeicherbarMeldung(const QString& zeichen) {
  return QStringLiteral("Das Zeichen „") + zeichen + QStringLiteral("“ kann in der Datei nicht gespeichert werden.");
}

Cp1252Validator::Cp1252Validator(QObject* parent, std::function<void(const QString&)> meldung)
    : QValidator(parent), meldung_(std::move(meldung)) {}

QValidator::State Cp1252Validator::validate(QString& text, int&) const {
  const QString zeichen = nichtSpeicherbaresZeichen(text);
  if (zeichen.isEmpty()) return Acceptable;
  if (meldung_) meldung_(nichtSpeicherbarMeldung(zeichen));
  return Invalid;
}

void speicherbarBegrenzen(QLineEdit* feld, const std::function<void(const QString&)>& meldung) {
  feld->setValidator(new Cp1252Validator(feld, meldung));
}

void speicherbarBegrenzen(QLineEdit* feld) {
  speicherbarBegrenzen(feld, [feld](const QString& grund) {
    QToolTip::showText(feld->mapToGlobal(QPoint(0, feld->height())), grund, feld);
  });
}

void speicherbarBegrenzen(QTextEdit* feld, const std::function<void(const QString&)>& meldung) {
  QObject::connect(feld, &QTextEdit::textChanged, feld, [feld, meldung] {
    const QString text = feld->toPlainText();
    const QString erstes = nichtSpeicherbaresZeichen(text);
    if (erstes.isEmpty()) return;
    const int cursor = feld->textCursor().position();
    QString bleibt;
    int davorEntfernt = 0;
    zeichenweise(text, [&](const QString& zeichen, qsizetype pos) {
      if (istCp1252(zeichen)) {
        bleibt += zeichen;
      } else if (pos < cursor) {
        davorEntfernt += static_cast<int>(zeichen.size());
      }
      return true;
    });
    // Replacing the text changes it once more; that change holds nothing to drop.
    feld->setPlainText(bleibt);
    QTextCursor c = feld->textCursor();
    c.setPosition(std::clamp(cursor - davorEntfernt, 0, static_cast<int>(bleibt.size())));
    feld->setTextCursor(c);
    if (meldung) meldung(nichtSpeicherbarMeldung(erstes));
  });
}

}  // namespace pv
