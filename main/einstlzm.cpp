#include "einstlzm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/allgemein.h"
#include "common/fensterplatz.h"
#include "common/meldungen.h"
#include "common/textpruefung.h"
#include "common/tolvek.h"
#include "common/zahlen.h"

namespace pv {

namespace {

QLineEdit* zahlfeld(int breite = 70) {
  auto* feld = new QLineEdit;
  feld->setFixedWidth(breite);
  return feld;
}

}  // namespace

EinstLZM::EinstLZM(Einstellungen& e, QChar dezimal, QString ordner, std::function<void(float)> wartezeitUebernehmen,
                   std::function<void()> gespeichert, QWidget* eltern)
    : QDialog(eltern),
      e_(e),
      dezimal_(dezimal),
      ordner_(std::move(ordner)),
      wartezeitUebernehmen_(std::move(wartezeitUebernehmen)),
      gespeichert_(std::move(gespeichert)) {
  setWindowTitle(QStringLiteral("Einstellungen Messung "));
  auto* spalten = new QHBoxLayout;
  spalten->addWidget(allgemeinAnlegen());
  spalten->addWidget(rechnerAnlegen());
  OKButton = new QPushButton(QStringLiteral("&OK"));
  AbbrButton = new QPushButton(QStringLiteral("&Abbrechen"));
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &EinstLZM::OKButton_Click);
  connect(AbbrButton, &QPushButton::clicked, this, &QDialog::reject);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch(1);
  knoepfe->addWidget(OKButton);
  knoepfe->addWidget(AbbrButton);
  auto* haupt = new QVBoxLayout(this);
  haupt->addLayout(spalten);
  haupt->addLayout(knoepfe);

  const Langzeitfelder f = langzeitfelderLaden(e_, dezimal_);
  CheckMessEndeAuto->setChecked(f.messEndeAuto);
  TextMessDauer->setText(f.messDauer);
  (f.stunden ? OptionStd : OptionMin)->setChecked(true);
  CheckZwischenspeichern->setChecked(f.zwischenspeichern);
  TextZwischenspeichern->setText(f.zwischenspeichernMinuten);
  TextZSDatei->setText(f.zsDatei);
  chkTimeOut->setChecked(f.timeOut);
  txtTimeOut->setText(f.timeOutZeit);
  chkMin->setChecked(f.min);
  txtMin->setText(f.minWert);
  chkMax->setChecked(f.max);
  txtMax->setText(f.maxWert);
  Tolvek::FensterEinpassen(*this);
}

QWidget* EinstLZM::allgemeinAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Messung allgemein"));
  auto* v = new QVBoxLayout(rahmen);

  auto* ende = new QGroupBox(QStringLiteral("Automatisches Beenden"));
  auto* eg = new QGridLayout(ende);
  CheckMessEndeAuto = new QCheckBox(QStringLiteral("Messung nach "));
  TextMessDauer = zahlfeld();
  OptionMin = new QRadioButton(QStringLiteral("Minuten"));
  OptionStd = new QRadioButton(QStringLiteral("Stunden"));
  eg->addWidget(CheckMessEndeAuto, 0, 0);
  eg->addWidget(TextMessDauer, 0, 1);
  eg->addWidget(OptionMin, 0, 2);
  eg->addWidget(OptionStd, 1, 2);
  eg->addWidget(new QLabel(QStringLiteral("automatisch beenden")), 2, 0, 1, 3);
  v->addWidget(ende);

  auto* zs = new QGroupBox(QStringLiteral("Zwischenspeichern"));
  auto* zg = new QGridLayout(zs);
  CheckZwischenspeichern = new QCheckBox(QStringLiteral("Messung alle"));
  TextZwischenspeichern = zahlfeld();
  TextZSDatei = new QLineEdit;
  // The name is kept in the settings file: only what its code page holds.
  speicherbarBegrenzen(TextZSDatei);
  zg->addWidget(CheckZwischenspeichern, 0, 0);
  zg->addWidget(TextZwischenspeichern, 0, 1);
  zg->addWidget(new QLabel(QStringLiteral("Minuten speichern")), 0, 2);
  zg->addWidget(new QLabel(QStringLiteral("Dateiname: ")), 1, 0);
  zg->addWidget(TextZSDatei, 1, 1, 1, 2);
  v->addWidget(zs);

  auto* to = new QGroupBox(QStringLiteral("Time Out"));
  auto* th = new QHBoxLayout(to);
  chkTimeOut = new QCheckBox(QStringLiteral("Time Out nach"));
  txtTimeOut = zahlfeld();
  th->addWidget(chkTimeOut);
  th->addWidget(txtTimeOut);
  th->addWidget(new QLabel(QStringLiteral("Sekunden")));
  th->addStretch(1);
  v->addWidget(to);

  auto* grenzen = new QGroupBox(QStringLiteral("Messwertbereich - Grenzen"));
  auto* gh = new QHBoxLayout(grenzen);
  chkMin = new QCheckBox(QStringLiteral("Min"));
  txtMin = zahlfeld(90);
  chkMax = new QCheckBox(QStringLiteral("Max"));
  txtMax = zahlfeld(90);
  for (QWidget* w : {static_cast<QWidget*>(chkMin), static_cast<QWidget*>(txtMin), static_cast<QWidget*>(chkMax),
                     static_cast<QWidget*>(txtMax)}) {
    gh->addWidget(w);
  }
  gh->addStretch(1);
  v->addWidget(grenzen);
  return rahmen;
}

QWidget* EinstLZM::rechnerAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Wartezeit berechnen"));
  auto* v = new QVBoxLayout(rahmen);

  // No option of either group is selected when the dialog opens.
  const auto gruppe = [this](const QString& titel, auto& knoepfe, const QStringList& beschriftungen,
                             QLineEdit*& frei) {
    auto* box = new QGroupBox(titel);
    auto* g = new QGridLayout(box);
    auto* knopfgruppe = new QButtonGroup(box);
    knoepfe[0] = new QRadioButton;
    frei = zahlfeld();
    frei->installEventFilter(this);
    auto* freiZeile = new QHBoxLayout;
    freiZeile->addWidget(knoepfe[0]);
    freiZeile->addWidget(frei);
    freiZeile->addStretch(1);
    g->addLayout(freiZeile, 0, 0, 1, 3);
    knopfgruppe->addButton(knoepfe[0]);
    for (int i = 1; i <= beschriftungen.size(); ++i) {
      knoepfe[i] = new QRadioButton(beschriftungen[i - 1]);
      knopfgruppe->addButton(knoepfe[i]);
      g->addWidget(knoepfe[i], 1 + (i - 1) / 3, (i - 1) % 3);
    }
    return box;
  };
  v->addWidget(gruppe(QStringLiteral("Messdauer in Stunden"), MD,
                      {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("6"),
                       QStringLiteral("12"), QStringLiteral("24")},
                      TextMD));
  v->addWidget(gruppe(QStringLiteral("Messwerte"), MW,
                      {QStringLiteral("1000"), QStringLiteral("5000"), QStringLiteral("10000"),
                       QStringLiteral("20000"), QStringLiteral("30000")},
                      TextMW));

  auto* ergebnis = new QHBoxLayout;
  ergebnis->addWidget(new QLabel(QStringLiteral("Wartezeit:")));
  LabelWartezeit = new QLabel;
  LabelWartezeit->setMinimumWidth(60);
  LabelWartezeit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ergebnis->addWidget(LabelWartezeit);
  ergebnis->addWidget(new QLabel(QStringLiteral("Sekunden")));
  ergebnis->addStretch(1);
  v->addLayout(ergebnis);

  CommandBerechnen = new QPushButton(QStringLiteral("Berechnen"));
  CommandWIPUe = new QPushButton(QStringLiteral("Wert ins Programm übernehmen"));
  CommandWIPUe->setEnabled(false);
  connect(CommandBerechnen, &QPushButton::clicked, this, &EinstLZM::CommandBerechnen_Click);
  connect(CommandWIPUe, &QPushButton::clicked, this, &EinstLZM::CommandWIPUe_Click);
  v->addWidget(CommandBerechnen);
  v->addWidget(CommandWIPUe);
  v->addStretch(1);
  return rahmen;
}

Langzeitfelder EinstLZM::felder() const {
  Langzeitfelder f;
  f.messEndeAuto = CheckMessEndeAuto->isChecked();
  f.messDauer = TextMessDauer->text();
  f.stunden = OptionStd->isChecked();
  f.zwischenspeichern = CheckZwischenspeichern->isChecked();
  f.zwischenspeichernMinuten = TextZwischenspeichern->text();
  f.zsDatei = TextZSDatei->text();
  f.timeOut = chkTimeOut->isChecked();
  f.timeOutZeit = txtTimeOut->text();
  f.min = chkMin->isChecked();
  f.minWert = txtMin->text();
  f.max = chkMax->isChecked();
  f.maxWert = txtMax->text();
  return f;
}

void EinstLZM::OKButton_Click() {
  if (!langzeitfelderUebernehmen(felder(), ordner_, dezimal_, e_, Tolvek::meldungen())) return;
  if (gespeichert_) gespeichert_();
  accept();
}

void EinstLZM::CommandBerechnen_Click() {
  Wartezeitwahl wahl;
  const auto gewaehlt = [](const auto& knoepfe) {
    for (int i = 0; i < static_cast<int>(knoepfe.size()); ++i) {
      if (knoepfe[i]->isChecked()) return i;
    }
    return -1;
  };
  wahl.dauer = gewaehlt(MD);
  wahl.dauerText = TextMD->text();
  wahl.anzahl = gewaehlt(MW);
  wahl.anzahlText = TextMW->text();
  const auto w = wartezeitBerechnen(wahl, dezimal_, Tolvek::meldungen());
  if (!w) return;
  LabelWartezeit->setText(wartezeitText(*w, dezimal_));
  CommandWIPUe->setEnabled(true);
}

void EinstLZM::CommandWIPUe_Click() {
  if (LabelWartezeit->text().isEmpty()) return;
  const auto w = zahlLesen(LabelWartezeit->text(), dezimal_);
  if (!w) {
    Tolvek::meldungen().hinweis(
        QStringLiteral("Es ist ein Fehler aufgetreten. Der Wert konnte nicht übernommen werden!"));
    return;
  }
  if (wartezeitUebernehmen_) wartezeitUebernehmen_(*w <= 0 ? 0.0f : static_cast<float>(*w));
}

void EinstLZM::keyPressEvent(QKeyEvent* ereignis) {
  if (ereignis->key() == Qt::Key_F1) {
    Tolvek::HilfeAnzeigen(kHilfekontext);
    return;
  }
  QDialog::keyPressEvent(ereignis);
}

bool EinstLZM::eventFilter(QObject* objekt, QEvent* ereignis) {
  // Entering a free value chooses the free option of its group.
  if (ereignis->type() == QEvent::FocusIn) {
    if (objekt == TextMD) MD[0]->setChecked(true);
    if (objekt == TextMW) MW[0]->setChecked(true);
  }
  return QDialog::eventFilter(objekt, ereignis);
}

}  // namespace pv
