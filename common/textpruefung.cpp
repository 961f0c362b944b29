#include "textpruefung.h"

#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolTip>
#include <algorithm>

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

QString nichtSpeicherbaresEntfernen(QString& text, int& pos) {
  const QString erstes = nichtSpeicherbaresZeichen(text);
  if (erstes.isEmpty()) return {};
  QString bleibt;
  int davorEntfernt = 0;
  zeichenweise(text, [&](const QString& zeichen, qsizetype stelle) {
    if (istCp1252(zeichen)) {
      bleibt += zeichen;
    } else if (stelle < pos) {
      davorEntfernt += static_cast<int>(zeichen.size());
    }
    return true;
  });
  text = bleibt;
  pos = std::clamp(pos - davorEntfernt, 0, static_cast<int>(text.size()));
  return erstes;
}

QString nichtSpeicherbarMeldung(const QString& zeichen) {
  return QStringLiteral("Das Zeichen „") + zeichen + QStringLiteral("“ kann in der Datei nicht gespeichert werden.");
}

Cp1252Validator::Cp1252Validator(QObject* parent, std::function<void(const QString&)> meldung)
    : QValidator(parent), meldung_(std::move(meldung)) {}

QValidator::State Cp1252Validator::validate(QString& text, int& pos) const {
  // The field takes the text as changed here.
  const QString erstes = nichtSpeicherbaresEntfernen(text, pos);
  if (!erstes.isEmpty() && meldung_) meldung_(nichtSpeicherbarMeldung(erstes));
  return Acceptable;
}

void speicherbarBegrenzen(QLineEdit* feld, const std::function<void(const QString&)>& meldung) {
  feld->setValidator(new Cp1252Validator(feld, meldung));
}

void speicherbarBegrenzen(QLineEdit* feld) {
  speicherbarBegrenzen(feld, [feld](const QString& grund) {
    QToolTip::showText(feld->mapToGlobal(QPoint(0, feld->height())), grund, feld);
  });
}

bool aufLaengeKuerzen(QString& text, int& pos, qsizetype hoechstBytes) {
  const auto bytes = [](QChar c) { return c == u'\n' ? 2 : 1; };
  qsizetype ueber = text.size() + text.count(u'\n') - hoechstBytes;
  if (ueber <= 0) return false;
  qsizetype anfang = std::clamp<qsizetype>(pos, 0, text.size());
  const qsizetype ende = anfang;
  while (ueber > 0 && anfang > 0) ueber -= bytes(text[--anfang]);
  text.remove(anfang, ende - anfang);
  pos = static_cast<int>(anfang);
  while (ueber > 0 && !text.isEmpty()) {
    ueber -= bytes(text.back());
    text.chop(1);
  }
  pos = std::min(pos, static_cast<int>(text.size()));
  return true;
}

QString zuLangMeldung(qsizetype hoechstBytes) {
  return QStringLiteral("Der Text ist zu lang und wurde gekürzt: die Datei nimmt höchstens %1 KB auf.")
      .arg(hoechstBytes / 1024);
}

void speicherbarBegrenzen(QTextEdit* feld, const std::function<void(const QString&)>& meldung,
                          qsizetype hoechstBytes) {
  QObject::connect(feld, &QTextEdit::textChanged, feld, [feld, meldung, hoechstBytes] {
    QString text = feld->toPlainText();
    int cursor = feld->textCursor().position();
    const QString erstes = nichtSpeicherbaresEntfernen(text, cursor);
    const bool gekuerzt = aufLaengeKuerzen(text, cursor, hoechstBytes);
    if (erstes.isEmpty() && !gekuerzt) return;
    // Replacing the text changes it once more; that change holds nothing to drop.
    feld->setPlainText(text);
    QTextCursor c = feld->textCursor();
    c.setPosition(cursor);
    feld->setTextCursor(c);
    if (meldung) meldung(gekuerzt ? zuLangMeldung(hoechstBytes) : nichtSpeicherbarMeldung(erstes));
  });
}

}  // namespace pv
