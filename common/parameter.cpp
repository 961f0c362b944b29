#include "parameter.h"

#include <QFileInfo>

#include "cp1252.h"
#include "textdatei.h"

namespace Tolvek {
namespace {

struct Fundstelle {
  qsizetype wertAnfang = -1;  // first character of the value
  qsizetype wertEnde = -1;    // one past its last character
};

// Finds the value of the first line that begins with the key and "=".
// `ersteZeile`: the text's first line counts as a line too (a text handed
// over on its own); a file's first line is its header and never does.
Fundstelle suchen(const QString& text, const QString& schluessel, bool ersteZeile) {
  Fundstelle f;
  const QString kopf = schluessel + QLatin1Char('=');
  if (ersteZeile && text.startsWith(kopf)) {
    f.wertAnfang = kopf.size();
  } else {
    const qsizetype p = text.indexOf(QLatin1Char('\n') + kopf);
    if (p < 0) return f;
    f.wertAnfang = p + 1 + kopf.size();
  }
  f.wertEnde = f.wertAnfang;
  while (f.wertEnde < text.size() && text[f.wertEnde] != u'\r' && text[f.wertEnde] != u'\n') ++f.wertEnde;
  return f;
}

}  // namespace

QString ParameterLesen(const QString& text, const QString& datei, const QString& schluessel) {
  if (!text.isEmpty()) return ParameterFinden(text, schluessel).value_or(QString());
  QString inhalt;
  if (!pv::textdateiLesen(datei, inhalt)) return QStringLiteral("ERR");
  const Fundstelle f = suchen(inhalt, schluessel, false);
  return f.wertAnfang < 0 ? QString() : inhalt.mid(f.wertAnfang, f.wertEnde - f.wertAnfang);
}

std::optional<QString> ParameterFinden(const QString& text, const QString& schluessel) {
  const Fundstelle f = suchen(text, schluessel, true);
  if (f.wertAnfang < 0) return std::nullopt;
  return text.mid(f.wertAnfang, f.wertEnde - f.wertAnfang);
}

bool ParameterErsetzen(QString& text, const QString& schluessel, const QString& wert) {
  const Fundstelle f = suchen(text, schluessel, false);
  if (f.wertAnfang < 0) return false;
  text.replace(f.wertAnfang, f.wertEnde - f.wertAnfang, wert);
  return true;
}

int16_t ParameterSchreiben(const QString& datei, const QString& schluessel, const QString& wert) {
  if (!QFileInfo::exists(datei)) return kParameterDateiFehlt;
  if (wert.contains(u'\r') || wert.contains(u'\n') || !pv::istCp1252(wert)) return kParameterFehler;
  QString neu;
  if (!pv::textdateiLesen(datei, neu)) return kParameterFehler;
  if (!ParameterErsetzen(neu, schluessel, wert)) return kParameterFehlt;
  while (neu.endsWith(u'\r') || neu.endsWith(u'\n')) neu.chop(1);
  neu += QStringLiteral("\r\r\n");
  return pv::dateiErsetzen(datei, pv::zuCp1252(neu)) ? kParameterGeschrieben : kParameterFehler;
}

}  // namespace Tolvek
