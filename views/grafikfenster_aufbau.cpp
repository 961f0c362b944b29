// The graph window's controls: its menus and the status area below the plot
// with the axis fields, the mouse modes and the current value.
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/allgemein.h"
#include "views/grafikfenster.h"
#include "views/hilfepunkt.h"

namespace pv {

void FormGRAFIK::menuesAnlegen() {
  QMenuBar* leiste = menuBar();
  QMenu* grafik = leiste->addMenu(QStringLiteral("&Grafik"));
  MNeuzeichnen = grafik->addAction(QStringLiteral("&Neuzeichnen"));
  MVorhAns = grafik->addAction(QStringLiteral("&Vorhergehende Ansicht"));
  grafik->addSeparator();
  MDifferenzieren = grafik->addAction(QStringLiteral("D&ifferenzieren"));
  grafik->addSeparator();
  MGrDruck = grafik->addAction(QStringLiteral("&Drucken..."));
  grafik->addSeparator();
  MEnde = grafik->addAction(QStringLiteral("&Ende"));

  QMenu* gitter = leiste->addMenu(QStringLiteral("G&itter"));
  MxGitter = gitter->addAction(QStringLiteral("&x-Gitter"));
  MyGitter = gitter->addAction(QStringLiteral("&y-Gitter"));

  QMenu* darstellung = leiste->addMenu(QStringLiteral("&Darstellung"));
  MMesspkte = darstellung->addAction(QStringLiteral("&Messpunkte"));
  MVerbunden = darstellung->addAction(QStringLiteral("&Verbunden"));
  darstellung->addSeparator();
  for (int i = 1; i <= 5; ++i) {
    MSchema[i] = darstellung->addAction(QStringLiteral("Schema &%1").arg(i));
    MSchema[i]->setCheckable(true);
    connect(MSchema[i], &QAction::triggered, this, [this, i] { MSchema_Click(static_cast<int16_t>(i)); });
  }

  QMenu* einstellungen = leiste->addMenu(QStringLiteral("&Einstellungen"));
  QMenu* schrittweite = einstellungen->addMenu(QStringLiteral("&Schrittweite"));
  MWDarst[0] = schrittweite->addAction(QStringLiteral("au&tomatisch"));
  MWDarst[1] = schrittweite->addAction(QStringLiteral("&alle"));
  MWDarst[2] = schrittweite->addAction(QStringLiteral("manuell..."));
  einstellungen->addSeparator();
  MOptionen = einstellungen->addAction(QStringLiteral("Optionen..."));

  QMenu* extras = leiste->addMenu(QStringLiteral("E&xtras"));
  MMinMax = extras->addAction(QStringLiteral("Minimum und Maximum"));
  MMittelArithm = extras->addAction(QStringLiteral("Durchschnittswert (arithm. Mittel)"));
  mnuKurveGlaetten = extras->addAction(QStringLiteral("Kurve glätten..."));
  extras->addSeparator();
  mnuGrafikExp[0] = extras->addAction(QStringLiteral("Grafik als Bitmap speichern..."));
  mnuGrafikExp[1] = extras->addAction(QStringLiteral("Grafik in die Zwischenablage kopieren"));

  QMenu* hilfe = leiste->addMenu(QStringLiteral("&?"));
  mnuHilfe = hilfepunktAnlegen(hilfe, this, kHilfekontext);

  for (QAction* a : {MxGitter, MyGitter, MMesspkte, MVerbunden, MWDarst[0], MWDarst[1], MWDarst[2]})
    a->setCheckable(true);

  connect(MEnde, &QAction::triggered, this, [this] { close(); });
}

QGroupBox* FormGRAFIK::achsenrahmenAnlegen(const QString& titel, QLineEdit*& minimum, QLineEdit*& maximum,
                                           QLineEdit*& intervall, QCheckBox*& minMaxAuto,
                                           QCheckBox*& intervallAuto) {
  auto* rahmen = new QGroupBox(titel);
  auto* raster = new QGridLayout(rahmen);
  raster->setContentsMargins(6, 4, 6, 4);
  raster->setVerticalSpacing(2);
  raster->setHorizontalSpacing(4);
  minimum = new QLineEdit(rahmen);
  maximum = new QLineEdit(rahmen);
  intervall = new QLineEdit(rahmen);
  minMaxAuto = new QCheckBox(rahmen);
  intervallAuto = new QCheckBox(rahmen);
  const QStringList koepfe = {QStringLiteral("Min"), QStringLiteral("Max"), QStringLiteral("Intervall")};
  QLineEdit* felder[] = {minimum, maximum, intervall};
  for (int i = 0; i < 3; ++i) {
    raster->addWidget(new QLabel(koepfe[i], rahmen), 0, i, Qt::AlignHCenter);
    felder[i]->setMinimumWidth(80);
    felder[i]->setAlignment(Qt::AlignRight);
    raster->addWidget(felder[i], 1, i);
  }
  // "auto" under the left edge of the fields, so the frame needs no column of
  // its own for it; the range box stands under both range fields, the
  // spacing box under its field.
  raster->addWidget(new QLabel(QStringLiteral("auto"), rahmen), 2, 0, Qt::AlignLeft);
  raster->addWidget(minMaxAuto, 2, 0, 1, 2, Qt::AlignHCenter);
  raster->addWidget(intervallAuto, 2, 2, Qt::AlignHCenter);
  return rahmen;
}

QWidget* FormGRAFIK::statusleisteAnlegen() {
  auto* leiste = new QWidget;
  auto* spalte = new QVBoxLayout(leiste);
  spalte->setContentsMargins(4, 2, 4, 2);
  spalte->setSpacing(2);

  auto* oben = new QHBoxLayout;
  oben->setSpacing(4);
  FrameAchseX = achsenrahmenAnlegen(QStringLiteral("x-Achse"), TextMinimumX, TextMaximumX, TextIntervallX,
                                    CheckMinMaxAutoX, CheckIntervallAutoX);
  FrameAchseY = achsenrahmenAnlegen(QStringLiteral("y-Achse"), TextMinimumY, TextMaximumY, TextIntervallY,
                                    CheckMinMaxAutoY, CheckIntervallAutoY);
  oben->addWidget(FrameAchseX);
  oben->addWidget(FrameAchseY);
  // The button above the current value: the row keeps room for the range
  // fields when the x format shows a date.
  auto* knopfUndWert = new QVBoxLayout;
  NeuButton = new QPushButton(QStringLiteral("&Aktualisieren"), leiste);
  knopfUndWert->addWidget(NeuButton, 0, Qt::AlignLeft);
  oben->addLayout(knopfUndWert);

  Frame1 = new QGroupBox(QStringLiteral("Mausaktion"), leiste);
  auto* maus = new QGridLayout(Frame1);
  maus->setContentsMargins(6, 4, 6, 4);
  maus->setVerticalSpacing(0);
  OptionZoom = new QRadioButton(QStringLiteral("Zoom"), Frame1);
  OptionKoordinaten = new QRadioButton(QStringLiteral("Koordinaten"), Frame1);
  OptionFlaecheninhalt = new QRadioButton(QStringLiteral("Integral"), Frame1);
  CheckMWRasten = new QCheckBox(QStringLiteral("einrasten"), Frame1);
  CheckMWRasten->setToolTip(QStringLiteral("Einrasten auf Messwerte"));
  OptionKoordinaten->setChecked(true);
  CheckMWRasten->setChecked(true);
  maus->addWidget(OptionZoom, 0, 0);
  maus->addWidget(OptionKoordinaten, 1, 0);
  maus->addWidget(CheckMWRasten, 1, 1);
  maus->addWidget(OptionFlaecheninhalt, 2, 0);
  oben->addWidget(Frame1);

  QVBoxLayout* wert = knopfUndWert;
  Label9 = new QLabel(QStringLiteral("aktueller Messwert"), leiste);
  lblMesswert = new QLabel(leiste);
  lblEinheit1 = new QLabel(leiste);
  lblEinheit2 = new QLabel(leiste);
  QFont gross = lblMesswert->font();
  gross.setPointSizeF(gross.pointSizeF() * 1.6);
  gross.setBold(true);
  lblMesswert->setFont(gross);
  lblMesswert->setMinimumWidth(110);
  lblMesswert->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* einheiten = new QHBoxLayout;
  einheiten->setSpacing(2);
  einheiten->addWidget(lblMesswert);
  einheiten->addWidget(lblEinheit1);
  einheiten->addWidget(lblEinheit2);
  wert->addWidget(Label9);
  wert->addLayout(einheiten);
  oben->addStretch(1);
  spalte->addLayout(oben);

  auto* unten = new QHBoxLayout;
  LabelMultiF = new QLabel(leiste);
  LabelStep = new QLabel(QStringLiteral("Schrittweite:"), leiste);
  LabelR = new QLabel(leiste);
  LabelMultiF->setMinimumWidth(200);
  for (QLabel* l : {LabelMultiF, LabelStep, LabelR}) l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  unten->addWidget(LabelMultiF, 3);
  unten->addWidget(LabelStep, 1);
  unten->addWidget(LabelR, 1);
  spalte->addLayout(unten);
  return leiste;
}

}  // namespace pv
