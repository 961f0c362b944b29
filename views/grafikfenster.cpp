#include "grafikfenster.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "common/allgemein.h"
#include "common/farben.h"
#include "common/fehlerbehandlung.h"
#include "common/fensterplatz.h"
#include "common/laufzeitfehler.h"
#include "common/plotten.h"
#include "common/sanduhr.h"
#include "common/tolvek.h"
#include "main/hauptzustand.h"
#include "views/ansichtenzustand.h"
#include "views/messbeschreibung.h"

namespace pv {

namespace {

// The smallest window, 9600 x 7380 twips.
constexpr int kMinBreite = 9600 / 15;
constexpr int kMinHoehe = 7380 / 15;
constexpr int kTimer1Ms = 100;

// The plotting routine on `ziel`, in the record's background, with the
// measurement's times and the values `y`.
int16_t kurveZeichnen(Zeichenflaeche& ziel, const std::vector<float>& y, float& x1, float& x2, float& y1, float& y2,
                      GrafikEinstellungen& p) {
  const Hauptmodul& h = hauptmodul();
  ziel.hintergrundfarbe = farbe(p.FarbeHintergrund);
  return Tolvek::GrafikZeichnen(ziel, x1, x2, y1, y2, h.messdaten.x, y, p, h.Dezimaltrennzeichen);
}
}  // namespace

// -------------------------------------------------------------- FormGRAFIK

FormGRAFIK::FormGRAFIK(QWidget* parent) : QMainWindow(parent), picExport(QSize(1, 1)) {
  setWindowTitle(QStringLiteral("Grafik"));
  setMinimumSize(kMinBreite, kMinHoehe);
  resize(800, 600);
  menuesAnlegen();

  auto* zentral = new QWidget(this);
  auto* spalte = new QVBoxLayout(zentral);
  spalte->setContentsMargins(0, 0, 0, 0);
  spalte->setSpacing(0);
  Line1 = new QFrame(zentral);
  Line2 = new QFrame(zentral);
  for (QFrame* linie : {Line1, Line2}) {
    linie->setFrameShape(QFrame::HLine);
    linie->setFrameShadow(QFrame::Sunken);
    spalte->addWidget(linie);
  }
  GRAF = new GrafikBild(zentral);
  QFont arial(QStringLiteral("Arial"));
  GRAF->setFont(arial);
  spalte->addWidget(GRAF, 1);
  PicStatusSammlung = statusleisteAnlegen();
  spalte->addWidget(PicStatusSammlung);
  setCentralWidget(zentral);

  Timer1 = new QTimer(this);
  Timer1->setInterval(kTimer1Ms);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  connect(GRAF, &GrafikBild::groesseGeaendert, this, [this] {
    // The picture of the old size is gone: draw anew once the resize is over.
    if (LadenLaeuft == 1) return;
    maus.ueberlagerung.rechteckSichtbar = false;
    Timer1->start();
  });
  GRAF->installEventFilter(this);
  GRAF->ueberlagerungZeigen(&maus.ueberlagerung);
  werkzeugeVerbinden();

  connect(NeuButton, &QPushButton::clicked, this, [this] { NeuButton_Click(); });
  // The automatic boxes only set the record's flags; the next redraw uses them.
  connect(CheckMinMaxAutoX, &QCheckBox::toggled, this, [](bool an) { grafikParameter().MinMaxAutoX = an; });
  connect(CheckMinMaxAutoY, &QCheckBox::toggled, this, [](bool an) { grafikParameter().MinMaxAutoY = an; });
  connect(CheckIntervallAutoX, &QCheckBox::toggled, this,
          [](bool an) { grafikParameter().GitterabstandAutoX = an; });
  connect(CheckIntervallAutoY, &QCheckBox::toggled, this,
          [](bool an) { grafikParameter().GitterabstandAutoY = an; });

  ansichten().grafik = this;
}

FormGRAFIK::~FormGRAFIK() {
  hauptmodul().GrafikFensterOffen = false;
  if (ansichten().grafik == this) ansichten().grafik = nullptr;
}

// ---- fields

Feldumgebung FormGRAFIK::feldumgebung() const {
  const Hauptmodul& h = hauptmodul();
  const Einstellungen& e = h.einstellungen;
  return {{e.XZahlenformatnummer, e.XNachkommastellen},
          {e.YZahlenformatnummer, e.YNachkommastellen},
          h.Dezimaltrennzeichen,
          Tolvek::zustand().MessStartDatumZeit};
}

Grafikfelder FormGRAFIK::felder() const {
  Grafikfelder f;
  f.x = {TextMinimumX->text(), TextMaximumX->text(), TextIntervallX->text(), CheckMinMaxAutoX->isChecked(),
         CheckIntervallAutoX->isChecked()};
  f.y = {TextMinimumY->text(), TextMaximumY->text(), TextIntervallY->text(), CheckMinMaxAutoY->isChecked(),
         CheckIntervallAutoY->isChecked()};
  return f;
}

void FormGRAFIK::xFelderBemessen(const Achsenformat& format) {
  const QString muster =
      breitesterFeldtext(format.code, format.nachkommastellen, hauptmodul().Dezimaltrennzeichen);
  for (QLineEdit* feld : {TextMinimumX, TextMaximumX}) {
    // The frame, the two-pixel inner margins and the cursor beside the text.
    const QMargins r = feld->textMargins();
    const int rahmen = feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, feld);
    const int breite = feld->fontMetrics().horizontalAdvance(muster) + r.left() + r.right() + 2 * rahmen + 5;
    feld->setMinimumWidth(std::max(80, breite));
  }
}

void FormGRAFIK::felderSetzen(const Grafikfelder& f) {
  xFelderBemessen(feldumgebung().x);
  TextMinimumX->setText(f.x.minimum);
  TextMaximumX->setText(f.x.maximum);
  TextIntervallX->setText(f.x.intervall);
  CheckMinMaxAutoX->setChecked(f.x.minMaxAuto);
  CheckIntervallAutoX->setChecked(f.x.intervallAuto);
  TextMinimumY->setText(f.y.minimum);
  TextMaximumY->setText(f.y.maximum);
  TextIntervallY->setText(f.y.intervall);
  CheckMinMaxAutoY->setChecked(f.y.minMaxAuto);
  CheckIntervallAutoY->setChecked(f.y.intervallAuto);
}

void FormGRAFIK::ergebnisZeigen(const Zeichenergebnis& r) {
  if (r.meldung) LabelMultiF->setText(*r.meldung);
  if (r.schrittweiteText) LabelStep->setText(*r.schrittweiteText);
  if (r.schrittweiteMarke >= 0) schrittweiteMarkieren(r.schrittweiteMarke);
  if (r.piepen) QApplication::beep();
  GRAF->update();
}

void FormGRAFIK::schrittweiteMarkieren(int index) {
  for (int k = 0; k < 3; ++k) MWDarst[k]->setChecked(k == index);
}

// ---- public operations

void FormGRAFIK::Init() {
  Form_Load();
  Form_Resize();
}

void FormGRAFIK::ZFxAendern(int16_t ZFOld, int16_t ZFNew) {
  Grafikfelder f = felder();
  const Feldumgebung u = feldumgebung();
  if (!zahlenformatAendern(f.x, ZFOld, ZFNew, grafikParameter().XNachkommastellen, u.dezimaltrennzeichen,
                           u.messStart))
    return;
  felderSetzen(f);
}

void FormGRAFIK::ZFyAendern(int16_t ZFOld, int16_t ZFNew) {
  Grafikfelder f = felder();
  const Feldumgebung u = feldumgebung();
  if (!zahlenformatAendern(f.y, ZFOld, ZFNew, grafikParameter().YNachkommastellen, u.dezimaltrennzeichen,
                           u.messStart))
    return;
  felderSetzen(f);
}

void FormGRAFIK::MSchema_Click(int16_t Index) {
  try {
    Einstellungen& e = hauptmodul().einstellungen;
    if (Index < 1 || Index > 5)
      throw Laufzeitfehler::indexAusserhalb();
    schemaAnwenden(grafikParameter(), e.Schemata[static_cast<size_t>(Index)]);
    for (int i = 1; i <= 5; ++i) MSchema[i]->setChecked(i == Index);
    e.AktuellesSchema = Index;
    NeuZeichnenOderAnfordern();
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("FormGrafik -> MSchema"), fehler);
  }
}

void FormGRAFIK::NeuButton_Click() {
  if (LadenLaeuft == 1) return;
  Hauptmodul& h = hauptmodul();
  const Einstellungen& e = h.einstellungen;
  Neuzeichenlage lage;
  lage.format = feldumgebung();
  lage.m = h.messdaten.m;
  lage.messungLaeuft = h.MessungLaeuft;
  lage.autoXMax = h.aufzeichnung.AutoXMax;
  lage.autoYMin = h.aufzeichnung.AutoYMin;
  lage.autoYMax = h.aufzeichnung.AutoYMax;
  lage.beschreibung = aktuelleMessbeschreibung();
  lage.xBezeichnung = e.XBezeichnung;
  lage.yBezeichnung = e.YBezeichnung;

  // The smoothing preview and the export choose their own target and series.
  const bool vorschau = VorschauGeglaettet;
  const bool exportieren = ExportAktiv && !vorschau;
  const Zeichnen zeichnen = [&](float& x1, float& x2, float& y1, float& y2, GrafikEinstellungen& p) {
    const Sanduhr sanduhr;
    return kurveZeichnen(exportieren ? picExport.flaeche() : GRAF->flaeche(), vorschau ? YGeglaettet : h.messdaten.y,
                         x1, x2, y1, y2, p);
  };
  Grafikfelder f = felder();
  const Zeichenergebnis r = neuZeichnen(f, grafikParameter(), VorherigeAnsicht, lage, zeichnen);
  felderSetzen(f);
  // A new picture has no hatching.
  if (r.aufgerufen && !exportieren) maus.ueberlagerung.schraffur.clear();
  ergebnisZeigen(r);
}

void FormGRAFIK::Zeigen() {
  if (!Offen() || !isVisible()) {
    // As freshly loaded: the mouse modes reset and no current value yet.
    mausmodiNeu();
    MesswertAnzeigen(QString(), QString(), QString());
    Form_Load();
    // Shown again at its old size the window gets no resize and so no
    // drawing: it would show the picture and scale of the measurement it
    // was closed with.
    Timer1->stop();
    NeuButton_Click();
  } else if (isMinimized()) {
    showNormal();
  }
  raise();
  activateWindow();
}

void FormGRAFIK::ZoomAusfuehren() {
  const Zeichnen zeichnen = [this](float& x1, float& x2, float& y1, float& y2, GrafikEinstellungen& p) {
    return kurveZeichnen(GRAF->flaeche(), hauptmodul().messdaten.y, x1, x2, y1, y2, p);
  };
  Grafikfelder f = felder();
  const Zeichenergebnis r = zoomen(maus.zoom, f, grafikParameter(), VorherigeAnsicht, feldumgebung(), zeichnen);
  if (r.gezeichnet) felderSetzen(f);
  maus.ueberlagerung.rechteckSichtbar = false;
  ergebnisZeigen(r);
}

void FormGRAFIK::NeuZeichnenOderAnfordern() {
  Hauptmodul& h = hauptmodul();
  if (h.MessungLaeuft)
    h.aufzeichnung.GrafikNeuZeichnen = 1;
  else
    NeuButton_Click();
}

// ---- GrafikAnsicht

bool FormGRAFIK::Offen() const { return hauptmodul().GrafikFensterOffen; }

void FormGRAFIK::MesswertAnzeigen(const QString& wert, const QString& einheit1, const QString& einheit2) {
  lblMesswert->setText(wert);
  lblEinheit1->setText(einheit1);
  lblEinheit2->setText(einheit2);
}

bool FormGRAFIK::MinMaxAutoX() const { return CheckMinMaxAutoX->isChecked(); }
bool FormGRAFIK::MinMaxAutoY() const { return CheckMinMaxAutoY->isChecked(); }

void FormGRAFIK::PunktZeichnen(float x, float y, int breite, uint32_t f) {
  Zeichenflaeche& z = GRAF->flaeche();
  if (!z.hatSkala()) return;  // nothing drawn since the last resize
  z.punktWert(x, y, farbe(f), breite);
  GRAF->update();
}

void FormGRAFIK::LinieZeichnen(float x1, float y1, float x2, float y2, int breite, uint32_t f) {
  Zeichenflaeche& z = GRAF->flaeche();
  if (!z.hatSkala()) return;
  z.linieWert(x1, y1, x2, y2, farbe(f), breite);
  GRAF->update();
}

// ---- start-up, layout, end

void FormGRAFIK::Form_Load() {
  Hauptmodul& h = hauptmodul();
  GrafikEinstellungen& p = grafikParameter();
  {
    LadenLaeuft = 1;
    // However the start-up ends, the loading state ends with it: a window
    // left in it would never lay itself out or draw again.
    struct Freigabe {
      int16_t& flag;
      ~Freigabe() { flag = 0; }
    } const freigabe{LadenLaeuft};
    int schritt = 0;
    const auto schrittBeginnen = [&](int n) {
      schritt = n;
      if (ladeschritt) ladeschritt(n);
    };
    try {
      schrittBeginnen(0);
      h.GrafikFensterOffen = true;
      maus.IntegralSchritt = 1;

      schrittBeginnen(1);
      Tolvek::Zustand& z = Tolvek::zustand();
      if (messStartNeuSetzen(z.MessStartDatumZeit, h.messdaten.m, h.MessungLaeuft))
        z.MessStartDatumZeit = QDateTime::currentDateTime();
      ladebereicheSetzen(p, h.MessungLaeuft, h.aufzeichnung.AutoXMax, h.aufzeichnung.AutoYMin,
                         h.aufzeichnung.AutoYMax);

      schrittBeginnen(2);
      Grafikfelder f = felder();
      felderLaden(f, p, feldumgebung());
      felderSetzen(f);

      schrittBeginnen(3);
      MxGitter->setChecked(p.GitterX);
      MyGitter->setChecked(p.GitterY);

      schrittBeginnen(4);
      MVerbunden->setChecked(p.MesswerteVerbunden == 1);
      MMesspkte->setChecked(p.MesspunkteAnzeigen == 1);

      // The redraws these two would start are skipped while loading; during
      // a recording they ask the next value to redraw.
      schrittBeginnen(5);
      MSchema_Click(h.einstellungen.AktuellesSchema);
      schrittBeginnen(6);
      MWDarst_Click(0);

      schrittBeginnen(7);
      maus.MaustasteOben = 1;
      // The window, frame included, covers the work area beside the task bar.
      Tolvek::FensterEinpassen(*this, Tolvek::Fensterplatz::Arbeitsbereich);
      schrittBeginnen(8);
    } catch (const std::exception& fehler) {
      Tolvek::Fehlerbehandlung(QStringLiteral("FormGrafik -> FormLoad ID:") + QString::number(schritt), fehler);
    }
  }
  // Showing lays the window out, which starts the first drawing.
  show();
}

void FormGRAFIK::Form_Resize() {
  if (LadenLaeuft == 1) return;
  if (isMinimized()) {
    WarMinimiert = true;
    return;
  }
  // Back from minimised: the picture is still there.
  if (WarMinimiert) {
    WarMinimiert = false;
    return;
  }
  GRAF_MouseDown(kMausRechts, {});
  GRAF->leeren();
  Timer1->start();
}

void FormGRAFIK::Timer1_Timer() {
  // While the border is still being dragged the button is down: wait.
  if (Tolvek::TasteGedrueckt(Tolvek::zustand().Maustaste)) return;
  Timer1->stop();
  if (LadenLaeuft == 0) NeuButton_Click();
}

void FormGRAFIK::Form_Unload() {
  hauptmodul().GrafikFensterOffen = false;
  Timer1->stop();
}

void FormGRAFIK::resizeEvent(QResizeEvent* ereignis) {
  QMainWindow::resizeEvent(ereignis);
  Form_Resize();
}

void FormGRAFIK::changeEvent(QEvent* ereignis) {
  QMainWindow::changeEvent(ereignis);
  if (ereignis->type() == QEvent::WindowStateChange && isMinimized()) Form_Resize();
}

void FormGRAFIK::closeEvent(QCloseEvent* ereignis) {
  Form_Unload();
  QMainWindow::closeEvent(ereignis);
}

bool FormGRAFIK::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == GRAF && (ereignis->type() == QEvent::KeyPress || ereignis->type() == QEvent::KeyRelease)) {
    const auto* taste = static_cast<QKeyEvent*>(ereignis);
    if (taste->key() == Qt::Key_Escape && !taste->isAutoRepeat())
      maus.EscGedrueckt = ereignis->type() == QEvent::KeyPress;
  }
  return QMainWindow::eventFilter(objekt, ereignis);
}

}  // namespace pv
