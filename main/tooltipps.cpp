#include "tooltipps.h"

#include <QTabWidget>
#include <array>
#include <QWidget>

namespace pv {

const std::vector<ToolTipp>& toolTippTabelle() {
  static const QString wartezeit = QStringLiteral("Zeit, die zwischen der Aufzeichnung zweier Messwerte liegt (mindestens)");
  static const QString anzahl = QStringLiteral("Anzahl der aufgezeichneten Messwerte");
  static const std::vector<ToolTipp> tabelle{
      {0, QStringLiteral("CommandPort"), QStringLiteral("Herstellen/Trennen der Verbindung zwischen PC und Messgerät")},
      {0, QStringLiteral("StartButton"), QStringLiteral("Startet die Aufzeichnung von Messwerten")},
      {0, QStringLiteral("PauseButton"), QStringLiteral("Unterbrechen/Fortsetzen die Aufzeichnung der Messwerte")},
      {0, QStringLiteral("StopButton"), QStringLiteral("Beendet die Aufzeichnung der Messwerte")},
      {0, QStringLiteral("OptionWert1"), QStringLiteral("Im Display wird der vom Messgerät übertragene Messwert angezeigt")},
      {0, QStringLiteral("OptionWert2"),
       QStringLiteral("Im Display wird der - entsprechend der Einstellung im Rahmen 'Messwertverarbeitung' - "
                      "verarbeitete Messwert angezeigt")},
      {0, QStringLiteral("TextAufzPause"), wartezeit},
      {0, QStringLiteral("Label24"), wartezeit},
      {0, QStringLiteral("LabelNumMW"), anzahl},
      {0, QStringLiteral("Label20"), anzahl},
      {0, QStringLiteral("OptionMWMessgeraet"), QStringLiteral("Der vom Messgerät übertragene Messwert wird unverändert übernommen.")},
      {0, QStringLiteral("OptionLinear"),
       QStringLiteral("Der vom Messgerät übertragene Messwert wird in einer linearen Funktion verarbeitet.")},
      {0, QStringLiteral("lblMVVM"), QStringLiteral("verarbeiteter Messwert")},
      {0, QStringLiteral("TextM"), QStringLiteral("Steigung der Geradengleichung (Proportionalitätsfaktor)")},
      {0, QStringLiteral("lblMVMM"), QStringLiteral("vom Messgerät übertragener Messwert")},
      {0, QStringLiteral("TextT"), QStringLiteral("Achsenabschnitt der Geradengleichung (Offset)")},
      {0, QStringLiteral("OptionFuehler"),
       QStringLiteral("Der vom Messgerät übertragene Messwert wird durch Interpolation zwischen Datenpunkten eines "
                      "Sensors ausgewertet.")},
      {0, QStringLiteral("CommandMessfuehlerAendern"), QStringLiteral("ändern des eingestellten Sensors")},
      {0, QStringLiteral("FrameMBmanuell"), QStringLiteral("am Messgerät eingestellter Messbereich")},
      {0, QStringLiteral("CommandMB0"), QStringLiteral("Mega...")},
      {0, QStringLiteral("CommandMB1"), QStringLiteral("Kilo...")},
      {0, QStringLiteral("CommandMB2"), QStringLiteral("Milli...")},
      {0, QStringLiteral("CommandMB3"), QStringLiteral("Mikro...")},
      {0, QStringLiteral("CommandMB4"), QStringLiteral("Nano...")},
      {0, QStringLiteral("CommandMB5"), QStringLiteral("Piko...")},
      {0, QStringLiteral("CommandMB6"), QStringLiteral("Standard")},
      {0, QStringLiteral("FrameOptional#0"),
       QStringLiteral("Klicken Sie hier, um Informationen über das aktuelle Messgerät anzuzeigen.")},
      {0, QStringLiteral("FrameOptional#1"),
       QStringLiteral("Klicken Sie hier, um einen Kommentar zur Messung einzugeben bzw. anzuzeigen")},
      {1, QStringLiteral("VonText"), QStringLiteral("Nummer des ersten anzuzeigenden Messwertes")},
      {1, QStringLiteral("BisText"), QStringLiteral("Nummer des letzten anzuzeigenden Messwertes")},
      {1, QStringLiteral("txtStep"), QStringLiteral("Schrittweite zwischen den Messwerten")},
      {1, QStringLiteral("CommandZA"), QStringLiteral("Kopiert den Inhalt der Tabelle in die Zwischenablage")},
      {1, QStringLiteral("CheckAuto"),
       QStringLiteral("legt fest, ob bei laufender Messung die Tabelle automatisch aktualisiert wird.")},
      {1, QStringLiteral("AktuellButton"), QStringLiteral("Aktualisiert die Tabelle")},
  };
  return tabelle;
}

namespace {

void setzen(QWidget* fenster, const QString& name, const QString& text) {
  const qsizetype raute = name.indexOf(u'#');
  if (raute < 0) {
    if (auto* w = fenster->findChild<QWidget*>(name)) w->setToolTip(text);
    return;
  }
  if (auto* reiter = fenster->findChild<QTabWidget*>(name.left(raute))) {
    reiter->setTabToolTip(name.mid(raute + 1).toInt(), text);
  }
}

void leeren(QWidget* fenster) {
  fenster->setToolTip(QString());
  for (QWidget* w : fenster->findChildren<QWidget*>()) w->setToolTip(QString());
  for (QTabWidget* reiter : fenster->findChildren<QTabWidget*>()) {
    for (int i = 0; i < reiter->count(); ++i) reiter->setTabToolTip(i, QString());
  }
}

}  // namespace

void ToolTippsSetzen(int16_t an, QWidget* form1, QWidget* tabelle) {
  const std::array<QWidget*, 2> fenster{form1, tabelle};
  if (an != 1) {
    for (QWidget* f : fenster) {
      if (f) leeren(f);
    }
    return;
  }
  for (const ToolTipp& t : toolTippTabelle()) {
    if (fenster[t.fenster]) setzen(fenster[t.fenster], t.name, t.text);
  }
}

}  // namespace pv
