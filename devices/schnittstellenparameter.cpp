#include "schnittstellenparameter.h"

#include <QStringList>

#include "common/laufzeitfehler.h"

namespace pv {

namespace {

bool nurZiffern(const QString& t) {
  if (t.isEmpty()) return false;
  for (QChar c : t) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

}  // namespace

bool istUsbEinstellung(const QString& text) { return text == QStringLiteral("USB"); }

std::optional<Schnittstellenparameter> schnittstellenparameterLesen(const QString& text) {
  const QStringList felder = text.split(u',');
  if (felder.size() != 4) return std::nullopt;
  Schnittstellenparameter p;

  const QString& baud = felder[0];
  // Nine digits cannot overflow; longer texts are far above the limit anyway.
  if (!nurZiffern(baud)) return std::nullopt;
  QString ohneNullen = baud;
  while (ohneNullen.size() > 1 && ohneNullen.startsWith(u'0')) ohneNullen.remove(0, 1);
  if (ohneNullen.size() > 9) return std::nullopt;
  const int32_t wert = ohneNullen.toInt();
  if (wert < 1 || wert > kHoechsteBaudrate) return std::nullopt;
  p.baud = wert;

  if (felder[1].size() != 1) return std::nullopt;
  const QChar paritaet = felder[1].at(0).toLower();
  if (!QStringLiteral("noems").contains(paritaet)) return std::nullopt;
  p.paritaet = paritaet;

  if (felder[2].size() != 1 || felder[2].at(0) < u'4' || felder[2].at(0) > u'8') {
    return std::nullopt;
  }
  p.datenbits = static_cast<int16_t>(felder[2].at(0).unicode() - u'0');

  if (felder[3] == QStringLiteral("1")) {
    p.stoppbits = Stoppbits::Eins;
  } else if (felder[3] == QStringLiteral("1.5")) {
    p.stoppbits = Stoppbits::EinsKommaFuenf;
  } else if (felder[3] == QStringLiteral("2")) {
    p.stoppbits = Stoppbits::Zwei;
  } else {
    return std::nullopt;
  }
  return p;
}

QString schnittstellenparameterText(const Schnittstellenparameter& p) {
  QString stopp = QStringLiteral("1");
  if (p.stoppbits == Stoppbits::EinsKommaFuenf) stopp = QStringLiteral("1.5");
  if (p.stoppbits == Stoppbits::Zwei) stopp = QStringLiteral("2");
  return QStringLiteral("%1,%2,%3,%4").arg(p.baud).arg(p.paritaet).arg(p.datenbits).arg(stopp);
}

bool anwendbar(const Schnittstellenparameter& p) {
  if (p.datenbits < 5 || p.datenbits > 8) return false;
#ifndef Q_OS_WIN
  if (p.stoppbits == Stoppbits::EinsKommaFuenf) return false;
#endif
  return p.baud >= 1 && p.baud <= kHoechsteBaudrate;
}

Schnittstellenparameter einstellungenPruefen(const QString& text) {
  const auto p = schnittstellenparameterLesen(text);
  if (!p || !anwendbar(*p)) {
    throw Laufzeitfehler(kUngueltigerEigenschaftswert, kUngueltigerEigenschaftswertText);
  }
  return *p;
}

}  // namespace pv
