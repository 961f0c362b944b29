#include "messfuehlerlogik.h"

#include "common/cp1252.h"
#include "common/eingabebox.h"

namespace pv {

namespace {

// What would split a field of the sensor file when it is read back.
bool hatFeldtrenner(const QString& text) {
  return text.contains(u',') || text.contains(u'"') || text.contains(u'\t');
}

QString zeilenText(int zeile, const char* rest) {
  return QStringLiteral("Das Wertepaar in Zeile ") + QString::number(zeile) + QString::fromUtf8(rest);
}

}  // namespace

QString sensorEingabePruefen(const QString& bezeichnung, const QString& xAchse, const QString& yAchse,
                             const std::vector<SensorZellen>& zeilen, QChar dezimal) {
  if (bezeichnung.isEmpty()) return QStringLiteral("Geben Sie eine Bezeichnung für den Sensor ein!");
  if (xAchse.isEmpty()) return QStringLiteral("Geben Sie eine Bezeichnung für die x-Achse ein!");
  if (yAchse.isEmpty()) return QStringLiteral("Geben Sie eine Bezeichnung für die y-Achse ein!");
  if (hatFeldtrenner(bezeichnung) || hatFeldtrenner(xAchse) || hatFeldtrenner(yAchse)) {
    return QStringLiteral("Bezeichnung und Achsenbeschriftungen dürfen keine Kommas (,), "
                          "keine Anführungszeichen (\") und keine Tabulatoren enthalten!");
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
