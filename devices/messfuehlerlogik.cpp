#include "messfuehlerlogik.h"

#include "common/cp1252.h"
#include "common/eingabebox.h"

namespace pv {

namespace {

// What would split a field of the sensor file when it is read back.
bool hatFeldtrenner(const QString& text) {
  return text.contains(u',') || text.contains(u'"') || text.contains(u'\t');
}

// A designation or label needs more than blanks: the user sees nothing in
// it, and a blank x label would not read back.
bool leer(const QString& text) { return text.trimmed().isEmpty(); }

QString zeilenText(int zeile, const char* rest) {
  return QStringLiteral("Das Wertepaar in Zeile ") + QString::number(zeile) + QString::fromUtf8(rest);
}

}  // namespace

QString sensorEingabePruefen(const QString& bezeichnung, const QString& xAchse, const QString& yAchse,
                             const std::vector<SensorZellen>& zeilen, QChar dezimal) {
  if (leer(bezeichnung)) return QStringLiteral("Geben Sie eine Bezeichnung für den Sensor ein!");
  if (leer(xAchse)) return QStringLiteral("Geben Sie eine Bezeichnung für die x-Achse ein!");
  if (leer(yAchse)) return QStringLiteral("Geben Sie eine Bezeichnung für die y-Achse ein!");
  if (hatFeldtrenner(bezeichnung) || hatFeldtrenner(xAchse) || hatFeldtrenner(yAchse)) {
    return QStringLiteral("Bezeichnung und Achsenbeschriftungen dürfen keine Kommas (,), "
                          "keine Anführungszeichen (\") und keine Tabulatoren enthalten!");
  }
  // The reader skips blanks before a field; the y label follows the TAB
  // inside its field and keeps them.
  if (bezeichnung.startsWith(u' ') || xAchse.startsWith(u' ')) {
    return QStringLiteral("Bezeichnung und x-Achse dürfen nicht mit einem Leerzeichen beginnen!");
  }
  for (size_t i = 0; i < zeilen.size(); ++i) {
    if (zeilen[i].x.isEmpty() != zeilen[i].y.isEmpty()) return zeilenText(int(i) + 1, " ist unvollständig!");
  }
  for (size_t i = 0; i < zeilen.size(); ++i) {
    const SensorZellen& z = zeilen[i];
    if (z.x.isEmpty()) continue;
    const bool xGut = sensorZahl(z.x, dezimal).has_value();
    const bool yGut = sensorZahl(z.y, dezimal).has_value();
    if (!xGut || !yGut) return zeilenText(int(i) + 1, " enthält ungültige Zeichen!");
  }
  return {};
}

QString sensorDateinameErfragen(const QString& bezeichnung, Eingaben& eingaben,
                                const std::function<bool(const QString&)>& vorhanden) {
  QString name = eingaben.fragen(QStringLiteral("Geben Sie bitte einen Dateinamen ein."), {}, bezeichnung, {});
  for (;;) {
    if (name.isEmpty()) return {};
    if (name.right(4).toLower() != u".pvf") name += QStringLiteral(".pvf");
    if (!vorhanden(name)) return name;
    name = eingaben.fragen(QStringLiteral("Dieser Dateiname ist schon vorhanden. \r\n"
                                          "Bitte geben Sie einen anderen Dateinamen an."),
                           {}, name, {});
  }
}

bool sensorDateinameZulaessig(const QString& name) {
  return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(u':') && istCp1252(name);
}

QString sensorZwischenablage(const QString& clip) {
  QString text;
  text.reserve(clip.size() + clip.size() / 8);
  for (qsizetype i = 0; i < clip.size(); ++i) {
    text += clip[i];
    if (clip[i] == u'\r' && i + 1 < clip.size() && clip[i + 1] != u'\n') text += u'\n';
  }
  return text;
}

}  // namespace pv
