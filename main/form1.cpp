#include "form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "acquisition/erfassungszustand.h"
#include "acquisition/groessenordnung.h"
#include "acquisition/seriellerport.h"
#include "common/balken.h"
#include "common/bildschirmbild.h"
#include "common/farben.h"
#include "common/fensterplatz.h"
#include "common/leds.h"
#include "common/meldungen.h"
#include "common/textpruefung.h"
#include "main/datenlinie.h"
#include "main/fensterlogik.h"
#include "main/kastenfeld.h"

namespace pv {

void feldFarbeSetzen(QLabel* feld, uint32_t bgr) {
  QPalette p = feld->palette();
  p.setColor(QPalette::Window, farbe(bgr));
  feld->setPalette(p);
}

uint32_t feldFarbe(const QLabel* feld) { return bgrWert(feld->palette().color(QPalette::Window)); }

QPixmap bildEingepasst(const QImage& bild, QSize box, qreal verhaeltnis) {
  const QSize groesse = bildPlatzieren(bild.size(), QString(), {}, {}, box.height(), box.width()).size();
  // The fitted size keeps the proportions already; the picture fills its
  // device pixels whole, also where they are not a whole multiple of it.
  QPixmap eingepasst = QPixmap::fromImage(
      bild.scaled(geraetegroesse(groesse, verhaeltnis), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  eingepasst.setDevicePixelRatio(verhaeltnis);
  return eingepasst;
}

namespace {

QLabel* farbfeld(uint32_t bgr, QSize groesse = {18, 18}) {
  auto* feld = new Kastenfeld(Kastenfeld::Rand::Vertieft);
  feld->setFixedSize(groesse);
  feld->setAutoFillBackground(true);
  feldFarbeSetzen(feld, bgr);
  return feld;
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(kAnwendungstitel);
  menuesAnlegen();

  auto* zentrum = new QWidget;
  auto* spalten = new QHBoxLayout;
  auto* links = new QVBoxLayout;
  links->addWidget(aufzeichnungAnlegen());
  links->addWidget(messungAnlegen());
  links->addWidget(verarbeitungAnlegen());
  links->addWidget(bezeichnungAnlegen());
  links->addWidget(optionalAnlegen(), 1);
  auto* rechts = new QVBoxLayout;
  rechts->addWidget(datenuebertragungAnlegen());
  rechts->addWidget(anzeigeAnlegen());
  rechts->addWidget(groessenordnungAnlegen());
  rechts->addWidget(dateiLabelsAnlegen());
  rechts->addStretch(1);
  spalten->addLayout(links, 5);
  spalten->addLayout(rechts, 6);
  zentrum->setLayout(spalten);
  setCentralWidget(zentrum);

  // Status line: "Status:" and the text, cleared 3 s after its last change.
  auto* statusZeile = new QWidget;
  auto* statusLayout = new QHBoxLayout(statusZeile);
  statusLayout->setContentsMargins(4, 0, 4, 0);
  statusLayout->addWidget(new QLabel(QStringLiteral("Status:")));
  Label1 = new QLabel;
  statusLayout->addWidget(Label1, 1);
  statusBar()->addWidget(statusZeile, 1);
  LabelSicherungFehler = new QLabel;
  LabelSicherungFehler->setStyleSheet(QStringLiteral("QLabel { color: #FF0000; font-weight: bold; }"));
  LabelSicherungFehler->setVisible(false);
  statusBar()->addPermanentWidget(LabelSicherungFehler);
  timerStatusLoeschen = new QTimer(this);
  timerStatusLoeschen->setInterval(3000);
  timerStatusLoeschen->setSingleShot(true);
  connect(timerStatusLoeschen, &QTimer::timeout, this, [this] { Label1->clear(); });

  // What these boxes hold is stored in the measurement and settings files:
  // characters the files cannot hold are refused as they are typed.
  const auto meldung = [this](const QString& text) { StatusSetzen(text); };
  for (QLineEdit* feld : {TextMessBezeichnung, TextPhysGr, TextZeichen, TextEinheit, TextM, TextT}) {
    speicherbarBegrenzen(feld, meldung);
  }
  speicherbarBegrenzen(TextKommentar, meldung, kMesstextHoechstlaenge);

  connect(TextMessBezeichnung, &QLineEdit::textChanged, this, &Form1::TitelGeaendert);
  for (QLineEdit* feld : {TextPhysGr, TextZeichen, TextEinheit}) {
    connect(feld, &QLineEdit::textChanged, this, &Form1::GroesseGeaendert);
  }

  MSComm1 = std::make_unique<SeriellerPort>();
  CommandMB_Click(6);
  MCom_Click(1);
  namenVergeben();
  resize(1000, 700);
  Tolvek::FensterEinpassen(*this);
}

Form1::~Form1() = default;

void Form1::namenVergeben() {
  // Controls are found by these names (the tool tips).
  const std::initializer_list<std::pair<QWidget*, const char*>> namen{
      {CommandPort, "CommandPort"}, {StartButton, "StartButton"}, {PauseButton, "PauseButton"},
      {StopButton, "StopButton"}, {OptionWert1, "OptionWert1"}, {OptionWert2, "OptionWert2"},
      {TextAufzPause, "TextAufzPause"}, {LabelNumMW, "LabelNumMW"}, {OptionMWMessgeraet, "OptionMWMessgeraet"},
      {OptionLinear, "OptionLinear"}, {TextM, "TextM"}, {TextT, "TextT"}, {OptionFuehler, "OptionFuehler"},
      {CommandMessfuehlerAendern, "CommandMessfuehlerAendern"}, {FrameMBmanuell, "FrameMBmanuell"},
      {FrameOptional, "FrameOptional"}, {picPC, "picPC"}};
  for (const auto& [w, name] : namen) w->setObjectName(QLatin1String(name));
  for (int i = 0; i < 8; ++i) CommandMB[i]->setObjectName(QStringLiteral("CommandMB%1").arg(i));
}

QWidget* Form1::aufzeichnungAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Aufzeichnung"));
  auto* g = new QGridLayout(rahmen);
  StartButton = new QPushButton(QStringLiteral("&Starten"));
  PauseButton = new QPushButton(QStringLiteral("&Anhalten"));
  StopButton = new QPushButton(QStringLiteral("&Beenden"));
  PicStatStart = farbfeld(kStatusGruenDunkel);
  PicStatPause = farbfeld(kStatusPauseRuhe);
  PicStatStop = farbfeld(kStatusStopRuhe);
  g->addWidget(StartButton, 0, 0);
  g->addWidget(PicStatStart, 0, 1);
  g->addWidget(PauseButton, 0, 2);
  g->addWidget(PicStatPause, 0, 3);
  g->addWidget(StopButton, 0, 4);
  g->addWidget(PicStatStop, 0, 5);
  // The recording control enables the start button when it is attached;
  // pause and stop wait for a recording.
  for (QPushButton* k : {StartButton, PauseButton, StopButton}) k->setEnabled(false);
  return rahmen;
}

QWidget* Form1::messungAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Messung"));
  auto* h = new QHBoxLayout(rahmen);
  auto* label24 = new QLabel(QStringLiteral("Wartezeit (s):"));
  label24->setObjectName(QStringLiteral("Label24"));
  h->addWidget(label24);
  TextAufzPause = new QLineEdit(QStringLiteral("0"));
  TextAufzPause->setMaximumWidth(90);
  h->addWidget(TextAufzPause);
  h->addSpacing(20);
  auto* label20 = new QLabel(QStringLiteral("Messwerte:"));
  label20->setObjectName(QStringLiteral("Label20"));
  h->addWidget(label20);
  LabelNumMW = new QLabel;
  LabelNumMW->setMinimumWidth(70);
  h->addWidget(LabelNumMW);
  h->addStretch(1);
  return rahmen;
}

QWidget* Form1::verarbeitungAnlegen() {
  FrameMWVerarbeitung = new QGroupBox(QStringLiteral("Messwertverarbeitung"));
  auto* g = new QGridLayout(FrameMWVerarbeitung);
  OptionMWMessgeraet = new QRadioButton(QStringLiteral("Messwert des Messgerätes verwenden"));
  OptionLinear = new QRadioButton(QStringLiteral("Lineare Funktion verwenden (y=mx+t):"));
  OptionFuehler = new QRadioButton(QStringLiteral("Sensor:"));
  OptionMWMessgeraet->setChecked(true);
  g->addWidget(OptionMWMessgeraet, 0, 0, 1, 6);
  g->addWidget(OptionLinear, 1, 0, 1, 6);
  auto* lblMVVM = new QLabel(QStringLiteral("y ="));
  lblMVVM->setObjectName(QStringLiteral("lblMVVM"));
  g->addWidget(lblMVVM, 2, 1);
  TextM = new QLineEdit(QStringLiteral("1"));
  g->addWidget(TextM, 2, 2);
  auto* lblMVMM = new QLabel(QStringLiteral("x +"));
  lblMVMM->setObjectName(QStringLiteral("lblMVMM"));
  g->addWidget(lblMVMM, 2, 3);
  TextT = new QLineEdit(QStringLiteral("0"));
  g->addWidget(TextT, 2, 4);
  LabelMT = new QLabel(QStringLiteral("Wert geändert"));
  LabelMT->setVisible(false);
  g->addWidget(LabelMT, 2, 5);
  g->addWidget(OptionFuehler, 3, 0, 1, 2);
  LabelFuehler = new QLabel(QStringLiteral("nicht vorhanden"));
  g->addWidget(LabelFuehler, 3, 2, 1, 3);
  CommandMessfuehlerAendern = new QPushButton(QStringLiteral("ändern"));
  g->addWidget(CommandMessfuehlerAendern, 3, 5);
  g->setColumnMinimumWidth(0, 20);
  return FrameMWVerarbeitung;
}

QWidget* Form1::bezeichnungAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Bezeichnung"));
  auto* g = new QGridLayout(rahmen);
  TextMessBezeichnung = new QLineEdit(QStringLiteral("Spannungsmessung"));
  TextPhysGr = new QLineEdit(QStringLiteral("Spannung"));
  TextZeichen = new QLineEdit(QStringLiteral("U"));
  TextEinheit = new QLineEdit(QStringLiteral("V"));
  g->addWidget(new QLabel(QStringLiteral("Titel:")), 0, 0);
  g->addWidget(TextMessBezeichnung, 0, 1, 1, 3);
  g->addWidget(new QLabel(QStringLiteral("physikalische Größe:")), 1, 0);
  g->addWidget(TextPhysGr, 1, 1, 1, 3);
  g->addWidget(new QLabel(QStringLiteral("Zeichen:")), 2, 0);
  g->addWidget(TextZeichen, 2, 1);
  g->addWidget(new QLabel(QStringLiteral("Einheit:")), 2, 2);
  g->addWidget(TextEinheit, 2, 3);
  return rahmen;
}

QWidget* Form1::optionalAnlegen() {
  FrameOptional = new QTabWidget;
  auto* geraet = new QWidget;
  auto* g = new QGridLayout(geraet);
  g->addWidget(new QLabel(QStringLiteral("Bezeichnung:")), 0, 0, Qt::AlignTop);
  LabelMGBezeichnung = new QLabel;
  g->addWidget(LabelMGBezeichnung, 0, 1);
  g->addWidget(new QLabel(QStringLiteral("Parameter:")), 1, 0, Qt::AlignTop);
  LabelMessgeraet = new QLabel;
  LabelMessgeraet->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  LabelMessgeraet->setWordWrap(true);
  g->addWidget(LabelMessgeraet, 1, 1);
  g->setRowStretch(1, 1);
  g->setColumnStretch(1, 1);
  FrameOptional->addTab(geraet, QStringLiteral("Messgerät"));
  TextKommentar = new QTextEdit;
  TextKommentar->setAcceptRichText(false);
  FrameOptional->addTab(TextKommentar, QStringLiteral("Kommentar"));
  // The chosen tab's caption is blue, the other one's dark blue.
  const auto reiterFarben = [tabs = FrameOptional](int gewaehlt) {
    for (int i = 0; i < tabs->count(); ++i)
      tabs->tabBar()->setTabTextColor(i, farbe(i == gewaehlt ? 0xFF0000u : 0x800000u));
  };
  reiterFarben(FrameOptional->currentIndex());
  connect(FrameOptional, &QTabWidget::currentChanged, FrameOptional, reiterFarben);
  return FrameOptional;
}

QWidget* Form1::datenuebertragungAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Datenübertragung"));
  auto* g = new QGridLayout(rahmen);

  picMessgeraet = new Kastenfeld(Kastenfeld::Rand::Flach);
  picMessgeraet->setFixedSize(150, 110);
  // The device picture is placed on an area inside the frame, which cuts off
  // what lies beyond it.
  auto* bildflaeche = new QWidget(picMessgeraet);
  bildflaeche->setGeometry(picMessgeraet->contentsRect());
  imgGeraeteBild = new QLabel(bildflaeche);
  imgGeraeteBild->setVisible(false);
  picNoPic = new QLabel(QStringLiteral("kein Bild vorhanden"), picMessgeraet);
  picNoPic->setAlignment(Qt::AlignCenter);
  picNoPic->setGeometry(0, 0, 150, 110);
  picNoPic->setVisible(false);

  picPC = new QLabel;
  picPC->setFixedSize(110, 110);
  picPC->setAlignment(Qt::AlignCenter);

  LEDMessgeraet = new LEDs;
  LEDMessgeraet->Init(0, 0, 0, true);
  LEDPC = new LEDs;
  LEDPC->Init(0, 0, 0, true);

  // The data line between the two pictures: a row of lamps each way.
  auto* linie = new Datenlinienbild;
  picAni = linie;
  LEDAniPC = linie->pcReihe();
  LEDAniMessgeraet = linie->messgeraetReihe();

  CommandPort = new QPushButton(QStringLiteral("Verbinden"));
  PicVerbindungStatus = farbfeld(kStatusGruenDunkel, {24, 18});
  // Enabled when the connection handling is attached.
  CommandPort->setEnabled(false);

  g->addWidget(picMessgeraet, 0, 0, 3, 1);
  g->addWidget(LEDMessgeraet, 3, 0, Qt::AlignHCenter);
  g->addWidget(linie, 1, 1, Qt::AlignCenter);
  g->addWidget(picPC, 0, 2, 3, 1);
  g->addWidget(LEDPC, 3, 2, Qt::AlignHCenter);
  auto* verbinden = new QHBoxLayout;
  verbinden->addWidget(CommandPort);
  verbinden->addWidget(PicVerbindungStatus);
  g->addLayout(verbinden, 4, 1, Qt::AlignCenter);
  return rahmen;
}

QWidget* Form1::anzeigeAnlegen() {
  auto* flaeche = new QGroupBox;
  auto* g = new QGridLayout(flaeche);
  LabelMesswert = new QLabel;
  QFont gross = LabelMesswert->font();
  gross.setPointSize(28);
  gross.setBold(true);
  LabelMesswert->setFont(gross);
  LabelMesswert->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  LabelMesswert->setMinimumWidth(260);
  LabelEinheit1 = new QLabel;
  LabelEinheit2 = new QLabel;
  QFont einheit = LabelEinheit1->font();
  einheit.setPointSize(16);
  LabelEinheit1->setFont(einheit);
  LabelEinheit2->setFont(einheit);
  // Fixed boxes: the unit fonts are fitted to them, so their size must not
  // follow the font or the layout.
  LabelEinheit1->setFixedSize(64, 36);
  LabelEinheit2->setFixedSize(64, 36);
  g->addWidget(LabelMesswert, 0, 0, 1, 3);
  g->addWidget(LabelEinheit1, 0, 3);
  g->addWidget(LabelEinheit2, 0, 4);

  auto* auswahl = new QHBoxLayout;
  auswahl->addWidget(new QLabel(QStringLiteral("Anzeige:")));
  OptionWert1 = new QRadioButton(QStringLiteral("Messgerät"));
  OptionWert2 = new QRadioButton(QStringLiteral("verarbeitet"));
  OptionWert1->setChecked(true);
  auswahl->addWidget(OptionWert1);
  auswahl->addWidget(OptionWert2);
  auswahl->addStretch(1);
  g->addLayout(auswahl, 1, 0, 1, 5);

  PBar2 = new Balkenanzeige;
  PBar2->setMinimumHeight(16);
  lblPbar = new QLabel;
  lblPbar->setMinimumWidth(120);
  g->addWidget(PBar2, 2, 0, 1, 3);
  g->addWidget(lblPbar, 2, 3, 1, 2);
  return flaeche;
}

QWidget* Form1::groessenordnungAnlegen() {
  FrameMBmanuell = new QGroupBox(QStringLiteral("Größenordnung: manuell"));
  auto* g = new QGridLayout(FrameMBmanuell);
  for (int16_t i = 0; i < 8; ++i) {
    CommandMB[i] = new QPushButton(groessenordnung(i)->knopf);
    CommandMB[i]->setMinimumWidth(36);
    g->addWidget(CommandMB[i], 0, i);
    connect(CommandMB[i], &QPushButton::clicked, this, [this, i] { CommandMB_Click(i); });
  }
  LabelMBaktuell = new QLabel;
  g->addWidget(LabelMBaktuell, 1, 0, 1, 8);
  return FrameMBmanuell;
}

QWidget* Form1::dateiLabelsAnlegen() {
  auto* flaeche = new QGroupBox;
  auto* g = new QGridLayout(flaeche);
  MesBegLabel = new QLabel;
  MesEndLabel = new QLabel;
  MessungLabel = new QLabel;
  g->addWidget(new QLabel(QStringLiteral("Beginn:")), 0, 0);
  g->addWidget(MesBegLabel, 0, 1);
  g->addWidget(new QLabel(QStringLiteral("Ende:")), 1, 0);
  g->addWidget(MesEndLabel, 1, 1);
  g->addWidget(new QLabel(QStringLiteral("Datei:")), 2, 0);
  g->addWidget(MessungLabel, 2, 1);
  g->setColumnStretch(1, 1);
  return flaeche;
}

void Form1::ProgrammBeenden() {
  if (beendenAnfrage) beendenAnfrage();
}

void Form1::closeEvent(QCloseEvent* ereignis) {
  // The window never closes by itself: every request goes through the exit.
  ereignis->ignore();
  ProgrammBeenden();
}

void Form1::StatusSetzen(const QString& text) {
  Label1->setText(text);
  timerStatusLoeschen->stop();
  timerStatusLoeschen->start();
}

int16_t Form1::Messwertverarbeitung() const {
  if (OptionLinear->isChecked()) return 2;
  if (OptionFuehler->isChecked()) return 3;
  return OptionMWMessgeraet->isChecked() ? 1 : 0;
}

void Form1::EinstellungenErmoeglichen(bool jaNein) {
  FrameMWVerarbeitung->setEnabled(jaNein);
  MGeraet->setEnabled(jaNein);
  MComport->setEnabled(jaNein);
  MMessgeraet->setEnabled(jaNein);
}

void Form1::CommandMB_Click(int16_t index) {
  const QString text = MessbereichWaehlen(index);
  for (int16_t i = 0; i < 8; ++i) {
    QFont f = CommandMB[i]->font();
    f.setBold(i == index);
    CommandMB[i]->setFont(f);
  }
  LabelMBaktuell->setText(text);
}

QSize Form1::GeraetebildFlaeche() const { return picMessgeraet->contentsRect().size(); }

bool Form1::GeraetebildLaden(const QString& datei, const QString& ausrichtung, QPoint punkt, int hMax, int wMax) {
  imgGeraeteBild->hide();
  if (datei.isEmpty()) return false;
  QImageReader leser(datei);
  leser.setAutoTransform(true);
  const QImage bild = leser.read();
  if (bild.isNull()) return false;
  const QRect platz = bildPlatzieren(bild.size(), ausrichtung, punkt, imgGeraeteBild->geometry(), hMax, wMax);
  imgGeraeteBild->setPixmap(bildEingepasst(bild, platz.size(), imgGeraeteBild->devicePixelRatioF()));
  imgGeraeteBild->setGeometry(platz);
  imgGeraeteBild->show();
  return true;
}

void Form1::KeinBildZeigen(bool zeigen) { picNoPic->setVisible(zeigen); }

Messtexte Form1::messtexte() const {
  Messtexte t;
  t.MessBezeichnung = TextMessBezeichnung->text();
  t.PhysGr = TextPhysGr->text();
  t.Zeichen = TextZeichen->text();
  t.Einheit = TextEinheit->text();
  t.Kommentar = TextKommentar->toPlainText();
  return t;
}

void Form1::messtexteSetzen(const Messtexte& t) {
  TextMessBezeichnung->setText(t.MessBezeichnung);
  TextPhysGr->setText(t.PhysGr);
  TextZeichen->setText(t.Zeichen);
  TextEinheit->setText(t.Einheit);
  TextKommentar->setPlainText(t.Kommentar);
}

Form1Steuerelemente& steuerelemente(Form1& f) { return f; }
const Form1Steuerelemente& steuerelemente(const Form1& f) { return f; }

}  // namespace pv
