#include "startlogik.h"

#include <QDir>
#include <QFileInfo>

namespace pv {

QString hilfedateiWaehlen(const QString& programmordner) {
  for (const char* name : {"Pelvaron.hlp", "Pelvaron_ob.hlp"}) {
    const QString pfad = QDir(programmordner).filePath(QString::fromLatin1(name));
    if (QFileInfo::exists(pfad)) return pfad;
  }
  return {};
}

QString dezimaltrennzeichenAusLocale(const QLocale& locale) { return locale.decimalPoint(); }

QString kommandozeilenPfad(const QStringList& argumente) {
  QString text = argumente.mid(1).join(QLatin1Char(' '));
  if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"')) text = text.mid(1, text.size() - 2);
  return text;
}

bool ungespeicherteWerte(const Beendenlage& lage) { return !lage.messungGespeichert && lage.anzahlWerte >= 1; }

bool beendenErlaubt(const Beendenlage& lage, Meldungen& meldungen) {
  if (lage.messungLaeuft) {
    meldungen.hinweis(QStringLiteral("Die Messung wurde noch nicht gestoppt!\n"
                                     "Beenden Sie die Messung bevor Sie das Programm beenden!"));
    return false;
  }
  if (ungespeicherteWerte(lage)) {
    const Antwort a = meldungen.zeigen(QStringLiteral("Die Messung wurde noch nicht gespeichert!\n"
                                                      "Möchten Sie das Programm trotzdem beenden?"),
                                       QStringLiteral("Achtung"), Knoepfe::JaNein, Symbol::Keins, Antwort::Ja);
    if (a != Antwort::Ja) return false;
  }
  return true;
}

}  // namespace pv
