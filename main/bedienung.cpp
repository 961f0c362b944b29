#include "bedienung.h"

#include <QAction>
#include <QApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "common/allgemein.h"
#include "common/meldungen.h"
#include "common/programmordner.h"
#include "common/tolvek.h"
#include "main/datenlinie.h"
#include "main/zahlenfeld.h"
#include "main/einstlzm.h"
#include "main/sicherung.h"
#include "main/fensterlogik.h"
#include "main/form1.h"
#include "main/hauptzustand.h"
#include "main/info.h"
#include "main/tooltipps.h"
#include "main/verbindung.h"

namespace pv {

namespace {

Einstellungen& einstellungen() { return hauptmodul().einstellungen; }
QChar dezimal() { return hauptmodul().Dezimaltrennzeichen; }

// The margin the computer picture keeps from its box's edges, pixels.
constexpr int kBildRand = 8;

}  // namespace

Hauptfensterbedienung::Hauptfensterbedienung(Form1& form, Verbindung& verbindung)
    : QObject(&form), f_(form), c_(steuerelemente(form)), verbindung_(verbindung) {
  eingabefelderAnlegen();
  connect(c_.OptionLinear, &QRadioButton::toggled, this, [this](bool an) {
    if (an) OptionLinear_Click();
  });

  const auto menue = [this](QAction* eintrag, void (Hauptfensterbedienung::*handler)()) {
    eintrag->setEnabled(true);
    connect(eintrag, &QAction::triggered, this, handler);
  };
  menue(f_.MMessung, &Hauptfensterbedienung::MMessung_Click);
  menue(f_.MInfo, &Hauptfensterbedienung::MInfo_Click);
  menue(f_.MDebugDateiAnzeigen, &Hauptfensterbedienung::MDebugDateiAnzeigen_Click);
  menue(f_.MAnimation, &Hauptfensterbedienung::MAnimation_Click);
  menue(f_.MToolTipps, &Hauptfensterbedienung::MToolTipps_Click);

  // The main window sees every key before its controls; the picture its
  // double click.
  qApp->installEventFilter(this);
  c_.picPC->installEventFilter(this);
}

void Hauptfensterbedienung::eingabefelderAnlegen() {
  wartezeit_ = new Zahlenfeld(
      c_.TextAufzPause,
      [](const QString& t) { return wartezeitFestlegen(t, einstellungen().Wartezeit, dezimal(), Tolvek::meldungen()); },
      [] { return wartezeitAnzeige(einstellungen().Wartezeit, dezimal()); });
  // Esc in a factor box brings back the text last in force: the factor
  // itself is taken only when the linear function is chosen or committed.
  steigung_ = new Zahlenfeld(
      c_.TextM,
      [](const QString& t) {
        return koeffizientFestlegen(t, einstellungen().LinearM, dezimal(), kSteigungUngueltig, Tolvek::meldungen());
      });
  achsenabschnitt_ = new Zahlenfeld(
      c_.TextT,
      [](const QString& t) {
        return koeffizientFestlegen(t, einstellungen().LinearT, dezimal(), kAchsenabschnittUngueltig,
                                    Tolvek::meldungen());
      });
  // "Wert geändert" for a second after Enter took a coefficient.
  auto* hinweisAus = new QTimer(this);
  hinweisAus->setSingleShot(true);
  hinweisAus->setInterval(1000);
  connect(hinweisAus, &QTimer::timeout, c_.LabelMT, &QLabel::hide);
  for (Zahlenfeld* feld : {steigung_, achsenabschnitt_}) {
    feld->perEnterUebernommen = [this, hinweisAus] {
      c_.LabelMT->show();
      hinweisAus->start();
    };
  }
}

void Hauptfensterbedienung::OptionLinear_Click() {
  QString textM = c_.TextM->text();
  QString textT = c_.TextT->text();
  const bool ok = linearUebernehmen(textM, textT, einstellungen().LinearM, einstellungen().LinearT, dezimal(),
                                    Tolvek::meldungen());
  // What was read is shown as read; a box that failed keeps its text.
  if (textM != c_.TextM->text()) {
    c_.TextM->setText(textM);
    steigung_->festgesetzt();
  }
  if (textT != c_.TextT->text()) {
    c_.TextT->setText(textT);
    achsenabschnitt_->festgesetzt();
  }
  // Refused: the device value is used, never no processing at all.
  if (!ok) c_.OptionMWMessgeraet->setChecked(true);
}

void Hauptfensterbedienung::wartezeitUebernehmen(float sekunden) {
  einstellungen().Wartezeit = sekunden;
  c_.TextAufzPause->setText(wartezeitAnzeige(sekunden, dezimal()));
  wartezeit_->festgesetzt();
}

void Hauptfensterbedienung::MMessung_Click() {
  EinstLZM dialog(
      einstellungen(), dezimal(), sicherungsordner(), [this](float w) { wartezeitUebernehmen(w); },
      [this] { verbindung_.zeitueberwachungSetzen(); }, &f_);
  dialog.exec();
}

void Hauptfensterbedienung::MInfo_Click() {
  frmInfo info(QApplication::applicationVersion(), &f_);
  info.exec();
}

void Hauptfensterbedienung::MDebugDateiAnzeigen_Click() {
  Tolvek::DateiOeffnen(Programmordner::datei(QStringLiteral("DebugData.txt")));
}

void Hauptfensterbedienung::MAnimation_Click() {
  const bool an = !einstellungen().DatenlinieAnimation;
  f_.MAnimation->setChecked(an);
  einstellungen().DatenlinieAnimation = an;
  DatenlinieAufbauen();
}

void Hauptfensterbedienung::MToolTipps_Click() {
  const bool an = !einstellungen().Tooltipps;
  f_.MToolTipps->setChecked(an);
  einstellungen().Tooltipps = an;
  ToolTippsSetzen(an ? 1 : 0);
}

void Hauptfensterbedienung::ToolTippsSetzen(int16_t setzen) {
  pv::ToolTippsSetzen(setzen, &f_, tabellenfenster ? tabellenfenster() : nullptr);
}

bool Hauptfensterbedienung::Form_KeyDown(int taste, Qt::KeyboardModifiers umschalter) {
  Hauptmodul& h = hauptmodul();
  switch (diensttaste(taste, umschalter)) {
    case Diensttaste::Simulation:
      h.Simulation = !h.Simulation;
      f_.StatusSetzen(h.Simulation ? QStringLiteral("## Simulation an ##") : QStringLiteral("## Simulation aus ##"));
      return true;
    case Diensttaste::Animation:
      einstellungen().Animationsart = naechsteAnimationsart(einstellungen().Animationsart);
      DatenlinieAufbauen();
      return true;
    case Diensttaste::Debug:
      h.DebugDatei = !h.DebugDatei;
      f_.MLineDebug->setVisible(h.DebugDatei);
      f_.MDebugDateiAnzeigen->setVisible(h.DebugDatei);
      f_.StatusSetzen(h.DebugDatei ? QStringLiteral("## DebugModus an ##") : QStringLiteral("## DebugModus aus ##"));
      return true;
    case Diensttaste::Keine:
      return false;
  }
  return false;
}

void Hauptfensterbedienung::imgPC_DblClick() {
  int16_t& bild = einstellungen().Computerbild;
  bild = naechstesComputerbild(bild);
  c_.picPC->clear();
  QImageReader leser(Programmordner::datei(computerbildDatei(bild)));
  const QImage gelesen = leser.read();
  if (gelesen.isNull()) {
    f_.StatusSetzen(computerbildFehlt(bild));
    return;
  }
  // Centred by the picture's box.
  const QSize box = c_.picPC->contentsRect().size() - QSize(kBildRand, kBildRand);
  c_.picPC->setPixmap(bildEingepasst(gelesen, box, c_.picPC->devicePixelRatioF()));
}

void Hauptfensterbedienung::DatenlinieAufbauen() {
  pv::DatenlinieAufbauen(c_, einstellungen().DatenlinieAnimation, einstellungen().Animationsart);
}

void Hauptfensterbedienung::nachDemEinlesen() {
  const Einstellungen& e = einstellungen();
  wartezeit_->festgesetzt();
  steigung_->festgesetzt();
  achsenabschnitt_->festgesetzt();
  f_.MAnimation->setChecked(e.DatenlinieAnimation);
  f_.MToolTipps->setChecked(e.Tooltipps);
  // The handler steps the number before it loads: one back gives the stored one.
  einstellungen().Computerbild = static_cast<int16_t>(e.Computerbild - 1);
  imgPC_DblClick();
  DatenlinieAufbauen();
  if (e.ToolTippsSetzen) ToolTippsSetzen(1);
}

bool Hauptfensterbedienung::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == c_.picPC && ereignis->type() == QEvent::MouseButtonDblClick) {
    imgPC_DblClick();
    return true;
  }
  if (ereignis->type() == QEvent::KeyPress && objekt->isWidgetType() &&
      static_cast<QWidget*>(objekt)->window() == &f_) {
    const auto* taste = static_cast<QKeyEvent*>(ereignis);
    if (Form_KeyDown(taste->key(), taste->modifiers())) return true;
  }
  return QObject::eventFilter(objekt, ereignis);
}

}  // namespace pv
