#include "feldleser.h"

#include "common/zahlen.h"

namespace pv {
namespace {

bool istBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool istTrenner(QChar c) { return c == u',' || c == u'\r' || c == u'\n'; }

std::optional<bool> wahrheitswertLesen(const QString& feld) {
  QString wort = feld.trimmed().toUpper();
  if (wort.size() >= 2 && wort.startsWith(u'#') && wort.endsWith(u'#')) wort = wort.mid(1, wort.size() - 2);
  if (wort == u"TRUE") return true;
  if (wort == u"FALSE") return false;
  if (const auto zahl = zahlLesen(wort, u'.')) return *zahl != 0;
  return std::nullopt;
}

}  // namespace

std::optional<QString> FeldLeser::text() {
  const qsizetype n = text_.size();
  const bool kuerzen = raender_ == Raender::Kuerzen;
  while (pos_ < n && (kuerzen ? istBlank(text_[pos_]) : text_[pos_] == u' ')) ++pos_;
  if (pos_ >= n) return std::nullopt;

  QString feld;
  if (text_[pos_] == u'"') {
    const qsizetype anfang = pos_ + 1;
    qsizetype ende = text_.indexOf(u'"', anfang);
    if (ende < 0) ende = n;
    feld = text_.mid(anfang, ende - anfang);
    pos_ = qMin(ende + 1, n);
    while (pos_ < n && !istTrenner(text_[pos_])) ++pos_;
  } else {
    const qsizetype anfang = pos_;
    while (pos_ < n && !istTrenner(text_[pos_])) ++pos_;
    feld = text_.mid(anfang, pos_ - anfang);
    while (kuerzen && !feld.isEmpty() && istBlank(feld.back())) feld.chop(1);
  }

  // Consume the delimiter; CR LF is one line end.
  if (pos_ < n) {
    const QChar c = text_[pos_++];
    if (c == u'\r' && pos_ < n && text_[pos_] == u'\n') ++pos_;
  }
  return feld;
}

std::optional<int16_t> FeldLeser::ganzzahl() {
  const auto feld = text();
  if (!feld) return std::nullopt;
  return ganzzahl16(val(*feld));
}

std::optional<float> FeldLeser::zahl() {
  const auto feld = text();
  if (!feld) return std::nullopt;
  return alsSingle(val(*feld));
}

std::optional<bool> FeldLeser::wahrheitswert() {
  const auto feld = text();
  if (!feld) return std::nullopt;
  return wahrheitswertLesen(*feld);
}

std::optional<QString> erstesFeld(const QString& text) {
  FeldLeser leser(text);
  return leser.text();
}

}  // namespace pv
