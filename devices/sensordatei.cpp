#include "sensordatei.h"

#include "common/cp1252.h"
#include "common/textdatei.h"
#include "common/zahlen.h"
#include "devices/feldleser.h"

namespace pv {

SensorZustand& sensorZustand() {
  static SensorZustand zustand;
  return zustand;
}

std::optional<float> sensorZahl(const QString& text, QChar dezimaltrennzeichen) {
  return singleLesen(text, dezimaltrennzeichen);
}

namespace {

// Splits the text after the third field into lines; a line end is CR LF, CR
// or LF, and the last line may lack it.
QStringList paarzeilen(const QString& rest) {
  QStringList zeilen = crLfZeilenenden(rest).split(QStringLiteral("\r\n"));
  if (zeilen.back().isEmpty()) zeilen.removeLast();
  return zeilen;
}

// Lines 1 to 3 as fields that keep what the writer wrote: a label's
// trailing blanks, and a TAB at the start of the label line (an empty or
// blank x label) stays in the field instead of being skipped with it.
FeldLeser sensorFelder(const QByteArray& bytes) { return FeldLeser(vonCp1252(bytes), FeldLeser::Raender::Behalten); }

SensordateiInhalt kopfLesen(FeldLeser& leser) {
  SensordateiInhalt inhalt;
  inhalt.kopf = leser.text();
  if (!inhalt.kopf) {
    inhalt.fehler = QStringLiteral("Die Datei ist leer.");
    return inhalt;
  }
  inhalt.bezeichnung = leser.text();
  if (!inhalt.bezeichnung) inhalt.fehler = QStringLiteral("Die Bezeichnung fehlt.");
  return inhalt;
}

}  // namespace

SensordateiInhalt sensordateiKopfLesen(const QByteArray& bytes) {
  FeldLeser leser = sensorFelder(bytes);
  SensordateiInhalt inhalt = kopfLesen(leser);
  if (inhalt.bezeichnung) inhalt.stand = SensordateiInhalt::Stand::Gelesen;
  return inhalt;
}

SensordateiInhalt sensordateiLesen(const QByteArray& bytes, QChar dezimal) {
  FeldLeser leser = sensorFelder(bytes);
  SensordateiInhalt inhalt = kopfLesen(leser);
  if (!inhalt.bezeichnung || !inhalt.kopfPasst()) return inhalt;

  const auto achsen = leser.text();
  const qsizetype tab = achsen ? achsen->indexOf(u'\t') : -1;
  if (tab < 0) {
    inhalt.fehler = QStringLiteral("Die Zeile der Achsenbeschriftungen ist ungültig.");
    return inhalt;
  }
  inhalt.xAchse = achsen->left(tab);
  inhalt.yAchse = achsen->mid(tab + 1);
  inhalt.achsenGelesen = true;

  const QStringList zeilen = paarzeilen(leser.rest());
  for (qsizetype i = 0; i < zeilen.size(); ++i) {
    if (inhalt.paare() >= kSensorMaxPaare) {
      inhalt.fehler = QStringLiteral("Die Datei enthält mehr als 32767 Wertepaare.");
      return inhalt;
    }
    const QString& zeile = zeilen[i];
    const qsizetype t = zeile.indexOf(u'\t');
    const auto x = t < 0 ? std::nullopt : sensorZahl(zeile.left(t), dezimal);
    const auto y = t < 0 ? std::nullopt : sensorZahl(zeile.mid(t + 1), dezimal);
    if (!x || !y) {
      inhalt.fehler = QStringLiteral("Das Wertepaar Nr. %1 ist ungültig.").arg(i + 1);
      return inhalt;
    }
    inhalt.x.push_back(*x);
    inhalt.y.push_back(*y);
  }
  inhalt.stand = SensordateiInhalt::Stand::Gelesen;
  return inhalt;
}

std::optional<QByteArray> sensordateiText(const QString& bezeichnung, const QString& xAchse, const QString& yAchse,
                                          const std::vector<SensorZellen>& paare, QChar dezimal) {
  CrLfText text;
  text.zeile(kSensorKopf).zeile(bezeichnung).zeile(xAchse + u'\t' + yAchse);
  for (const SensorZellen& p : paare) {
    if (p.x.isEmpty() || p.y.isEmpty()) continue;
    const auto x = sensorZahl(p.x, dezimal);
    const auto y = sensorZahl(p.y, dezimal);
    if (!x || !y) return std::nullopt;
    text.zeile(singleText(*x, dezimal) + u'\t' + singleText(*y, dezimal));
  }
  if (!istCp1252(bezeichnung + xAchse + yAchse)) return std::nullopt;
  return text.bytes();
}

QString SensorDateiLaden(const QString& datei, QChar dezimal, std::optional<QString>* geladen) {
  const QString fehler = QStringLiteral("FEHLER");
  QByteArray bytes;
  if (!dateiLesen(datei, bytes)) return fehler;
  const SensordateiInhalt inhalt = sensordateiLesen(bytes, dezimal);
  if (inhalt.kopf && !inhalt.kopfPasst()) return QStringLiteral("UNGÜLTIGE DATEI");

  SensorZustand& s = sensorZustand();
  if (inhalt.achsenGelesen) {
    s.Fuehler.XAchse = inhalt.xAchse;
    s.Fuehler.YAchse = inhalt.yAchse;
    s.Fuehler.X = inhalt.x;
    s.Fuehler.Y = inhalt.y;
  }
  if (!inhalt.gelesen()) return fehler;
  const int n = inhalt.paare();
  if (n == 0) return {};

  s.Sensor = Kennlinie{static_cast<int16_t>(n), inhalt.x, inhalt.y, inhalt.xAchse, inhalt.yAchse};
  s.Sensorname = *inhalt.bezeichnung;
  if (geladen) *geladen = s.Sensorname;
  return {};
}

}  // namespace pv
