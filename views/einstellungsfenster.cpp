#include "einstellungsfenster.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "acquisition/ansichten.h"
#include "common/allgemein.h"
#include "common/farben.h"
#include "common/fensterplatz.h"
#include "common/meldungen.h"
#include "common/textpruefung.h"
#include "common/tolvek.h"
#include "main/hauptzustand.h"
#include "views/ansichtenzustand.h"
#include "views/grafikfenster.h"

namespace pv {

namespace {

constexpr int16_t kHilfekontext = 700;
constexpr const char* kFarbe = "bgr";

void farbfeldSetzen(QToolButton* feld, uint32_t bgr) {
  feld->setProperty(kFarbe, bgr);
  feld->setStyleSheet(QStringLiteral("QToolButton { background-color: %1; border: 1px solid gray; }")
                          .arg(farbe(bgr).name()));
}

uint32_t farbfeld(const QToolButton* feld) { return feld->property(kFarbe).toUInt(); }

QLineEdit* kleinesFeld(QWidget* eltern) {
  auto* feld = new QLineEdit(eltern);
  feld->setMaximumWidth(48);
  feld->setAlignment(Qt::AlignRight);
  return feld;
}

// The first chosen of a row of option buttons; -1 when none is.
template <size_t N>
int gewaehlt(const std::array<QRadioButton*, N>& knoepfe) {
  for (size_t i = 0; i < N; ++i)
    if (knoepfe[i]->isChecked()) return static_cast<int>(i);
  return -1;
}

}  // namespace

FormEinstellungen::FormEinstellungen(QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(QStringLiteral("Einstellungen"));
  auto* raster = new QGridLayout(this);
  raster->addWidget(schemarahmenAnlegen(), 0, 0, 2, 1);
  raster->addWidget(zeitrahmenAnlegen(), 0, 1);
  raster->addWidget(messwertrahmenAnlegen(), 1, 1);
  raster->addWidget(schriftrahmenAnlegen(), 2, 0);
  raster->addWidget(bargraphrahmenAnlegen(), 2, 1);

  auto* knoepfe = new QHBoxLayout;
  CommandOK = new QPushButton(QStringLiteral("OK"), this);
  CommandAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  CommandOK->setDefault(true);
  knoepfe->addStretch(1);
  knoepfe->addWidget(CommandOK);
  knoepfe->addWidget(CommandAbbrechen);
  raster->addLayout(knoepfe, 3, 0, 1, 2);
  connect(CommandOK, &QPushButton::clicked, this, [this] { CommandOK_Click(); });
  connect(CommandAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
  Tolvek::FensterEinpassen(*this);
}

QWidget* FormEinstellungen::schemarahmenAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Grafik"), this);
  auto* r = new QGridLayout(rahmen);
  r->addWidget(new QLabel(QStringLiteral("Schema"), rahmen), 0, 0);
  for (int n = 1; n <= 4; ++n) r->addWidget(new QLabel(QStringLiteral("Nr. %1").arg(n), rahmen), 0, n, Qt::AlignHCenter);
  chkSchemaDrucker = new QCheckBox(QStringLiteral("Drucker"), rahmen);
  r->addWidget(chkSchemaDrucker, 0, 5, Qt::AlignHCenter);
  const QStringList zeilen = {QStringLiteral("Liniendicke:"),        QStringLiteral("Messpunktgröße:"),
                              QStringLiteral("Liniendicke Achsen:"), QStringLiteral("Liniendicke Gitter:"),
                              QStringLiteral("Hintergrundfarbe:"),   QStringLiteral("Farbe Zeichnungsfläche:"),
                              QStringLiteral("Text-/Linienfarbe:"),  QStringLiteral("Farbe Messkurve:")};
  for (int z = 0; z < zeilen.size(); ++z) r->addWidget(new QLabel(zeilen[z], rahmen), z + 1, 0);
  for (size_t n = 1; n <= 5; ++n) {
    const int spalte = static_cast<int>(n);
    std::array<QLineEdit**, 4> felder = {&TextLD[n], &TextMPR[n], &TextLDAchse[n], &TextLDGitter[n]};
    for (int z = 0; z < 4; ++z) {
      *felder[z] = kleinesFeld(rahmen);
      r->addWidget(*felder[z], z + 1, spalte, Qt::AlignHCenter);
    }
    for (int z = 0; z < 4; ++z) {
      auto* feld = new QToolButton(rahmen);
      feld->setFixedSize(40, 20);
      Farbfelder[n][z] = feld;
      connect(feld, &QToolButton::clicked, this, [this, feld] { farbeWaehlen(feld); });
      r->addWidget(feld, z + 5, spalte, Qt::AlignHCenter);
    }
  }
  return rahmen;
}

QWidget* FormEinstellungen::zeitrahmenAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Format der Zeit-Werte"), this);
  auto* r = new QGridLayout(rahmen);
  const QStringList namen = {QStringLiteral("Sekunden"), QStringLiteral("Minuten"), QStringLiteral("Stunden"),
                             QStringLiteral("mm:ss"),    QStringLiteral("hh:mm"),   QStringLiteral("hh:mm:ss"),
                             QStringLiteral("dd.mm.yyyy\r\nhh:mm:ss")};
  for (int i = 0; i < 7; ++i) {
    OptionZahlenformatX[i] = new QRadioButton(namen[i], rahmen);
    r->addWidget(OptionZahlenformatX[i], i % 4, i / 4);
    connect(OptionZahlenformatX[i], &QRadioButton::toggled, this, [this](bool an) {
      if (an) XBeschriftungSetzen();
    });
  }
  r->addWidget(new QLabel(QStringLiteral("Nachkommastellen:"), rahmen), 4, 0);
  TextNKSx = kleinesFeld(rahmen);
  r->addWidget(TextNKSx, 4, 1);

  auto* titel = new QGroupBox(QStringLiteral("Achsenbeschriftung"), rahmen);
  auto* t = new QGridLayout(titel);
  optXBeschriftung[0] = new QRadioButton(QStringLiteral("automatisch"), titel);
  optXBeschriftung[1] = new QRadioButton(QStringLiteral("manuell"), titel);
  txtXBeschriftung = new QLineEdit(titel);
  // Kept in the settings file: only what its code page holds.
  speicherbarBegrenzen(txtXBeschriftung);
  t->addWidget(optXBeschriftung[0], 0, 0);
  t->addWidget(optXBeschriftung[1], 0, 1);
  t->addWidget(txtXBeschriftung, 1, 0, 1, 2);
  for (int16_t i = 0; i < 2; ++i)
    connect(optXBeschriftung[i], &QRadioButton::clicked, this, [this, i] { optXBeschriftung_Click(i); });
  // A typed title is a manual one, kept as a click on "manuell" keeps it.
  connect(txtXBeschriftung, &QLineEdit::textEdited, this, [this] {
    optXBeschriftung[1]->setChecked(true);
    optXBeschriftung_Click(1);
  });
  r->addWidget(titel, 5, 0, 1, 2);
  return rahmen;
}

QWidget* FormEinstellungen::messwertrahmenAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Format der Messwerte"), this);
  auto* r = new QGridLayout(rahmen);
  const QStringList namen = {QStringLiteral("Standard"), QStringLiteral("Wissenschaftlich"), QStringLiteral("Mega"),
                             QStringLiteral("Kilo"),     QStringLiteral("Milli"),            QStringLiteral("Mikro"),
                             QStringLiteral("Nano"),     QStringLiteral("Piko")};
  const QStringList beispiele = {QStringLiteral("z.B. 0,123 V"), QStringLiteral("z.B. 1,23 E-1 V")};
  for (int i = 0; i < 2; ++i) {
    OptionZahlenformatY[i] = new QRadioButton(namen[i], rahmen);
    r->addWidget(OptionZahlenformatY[i], i, 0);
    r->addWidget(new QLabel(beispiele[i], rahmen), i, 1);
  }
  r->addWidget(new QLabel(QStringLiteral("feste Zehnerpotenz:"), rahmen), 2, 0);
  r->addWidget(new QLabel(QStringLiteral("z.B. 123 mV"), rahmen), 2, 1);
  for (int i = 2; i < 8; ++i) {
    OptionZahlenformatY[i] = new QRadioButton(namen[i], rahmen);
    r->addWidget(OptionZahlenformatY[i], 3 + (i - 2) / 2, (i - 2) % 2);
  }
  r->addWidget(new QLabel(QStringLiteral("Nachkommastellen:"), rahmen), 6, 0);
  TextNKSy = kleinesFeld(rahmen);
  r->addWidget(TextNKSy, 6, 1);
  return rahmen;
}

QWidget* FormEinstellungen::schriftrahmenAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Schriftart"), this);
  auto* r = new QGridLayout(rahmen);
  ComboFont = new QComboBox(rahmen);
  ComboFont->addItems(QFontDatabase::families());
  CheckFF = new QCheckBox(QStringLiteral("Fett"), rahmen);
  LabelFontTest = new QLabel(QStringLiteral("AaBbCc"), rahmen);
  LabelFontTest->setMinimumWidth(90);
  r->addWidget(ComboFont, 0, 0);
  r->addWidget(CheckFF, 0, 1);
  r->addWidget(new QLabel(QStringLiteral("Beispiel"), rahmen), 0, 2);
  r->addWidget(LabelFontTest, 1, 2, 2, 1);
  r->addWidget(new QLabel(QStringLiteral("Automatisch"), rahmen), 1, 0);
  chkTitelGroesseAuto = new QCheckBox(QStringLiteral("Titel-Schriftgrösse"), rahmen);
  chkAchseGroesseAuto = new QCheckBox(QStringLiteral("Achsen-Schriftgrösse"), rahmen);
  txtSchriftgroesseTitel = kleinesFeld(rahmen);
  txtSchriftgroesseAchsen = kleinesFeld(rahmen);
  r->addWidget(chkTitelGroesseAuto, 2, 0);
  r->addWidget(txtSchriftgroesseTitel, 2, 1);
  r->addWidget(chkAchseGroesseAuto, 3, 0);
  r->addWidget(txtSchriftgroesseAchsen, 3, 1);
  connect(ComboFont, &QComboBox::currentTextChanged, this, [this] { ComboFont_Click(); });
  connect(CheckFF, &QCheckBox::toggled, this, [this] { ComboFont_Click(); });
  const std::pair<QCheckBox*, QLineEdit*> paare[] = {{chkTitelGroesseAuto, txtSchriftgroesseTitel},
                                                      {chkAchseGroesseAuto, txtSchriftgroesseAchsen}};
  for (const auto& [box, feld] : paare) {
    connect(box, &QCheckBox::toggled, feld, [feld = feld](bool an) {
      if (an)
        feld->clear();
      else
        feld->setFocus();
    });
    connect(feld, &QLineEdit::textEdited, box, [box = box] { box->setChecked(false); });
  }
  return rahmen;
}

QWidget* FormEinstellungen::bargraphrahmenAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Bargraph-Anzeige"), this);
  auto* r = new QVBoxLayout(rahmen);
  chkBargraphAktiviert = new QCheckBox(QStringLiteral("aktiviert"), rahmen);
  chkBargraphWertMax = new QCheckBox(QStringLiteral("mit 'Wert / Max'"), rahmen);
  chkBargraphProzent = new QCheckBox(QStringLiteral("mit 'x %'"), rahmen);
  r->addWidget(chkBargraphAktiviert);
  r->addWidget(chkBargraphWertMax);
  r->addWidget(chkBargraphProzent);
  connect(chkBargraphAktiviert, &QCheckBox::toggled, this, [this](bool an) {
    if (an) return;
    chkBargraphWertMax->setChecked(false);
    chkBargraphProzent->setChecked(false);
  });
  connect(chkBargraphWertMax, &QCheckBox::toggled, this, [this](bool an) {
    if (an) chkBargraphProzent->setChecked(false);
  });
  connect(chkBargraphProzent, &QCheckBox::toggled, this, [this](bool an) {
    if (an) chkBargraphWertMax->setChecked(false);
  });
  return rahmen;
}

Einstellungsfelder FormEinstellungen::felder() const {
  Einstellungsfelder f;
  for (size_t n = 1; n <= 5; ++n) {
    Schemafelder& s = f.schemata[n];
    s = {TextLD[n]->text(), TextMPR[n]->text(), TextLDAchse[n]->text(), TextLDGitter[n]->text(), {}};
    for (size_t z = 0; z < 4; ++z) s.farben[z] = farbfeld(Farbfelder[n][z]);
  }
  f.schemaDrucker = chkSchemaDrucker->isChecked();
  f.nachkommastellenX = TextNKSx->text();
  f.nachkommastellenY = TextNKSy->text();
  f.xFormat = gewaehlt(OptionZahlenformatX);
  f.yFormat = gewaehlt(OptionZahlenformatY);
  f.xBeschriftung = txtXBeschriftung->text();
  f.xBeschriftungManuell = optXBeschriftung[1]->isChecked() ? 1 : 0;
  f.schriftart = ComboFont->currentText();
  f.fett = CheckFF->isChecked();
  f.titelGroesseAuto = chkTitelGroesseAuto->isChecked();
  f.titelGroesse = txtSchriftgroesseTitel->text();
  f.achsenGroesseAuto = chkAchseGroesseAuto->isChecked();
  f.achsenGroesse = txtSchriftgroesseAchsen->text();
  f.bargraphAktiviert = chkBargraphAktiviert->isChecked();
  f.bargraphWertMax = chkBargraphWertMax->isChecked();
  f.bargraphProzent = chkBargraphProzent->isChecked();
  return f;
}

void FormEinstellungen::felderSetzen(const Einstellungsfelder& f) {
  for (size_t n = 1; n <= 5; ++n) {
    const Schemafelder& s = f.schemata[n];
    TextLD[n]->setText(s.liniendicke);
    TextMPR[n]->setText(s.messpunktgroesse);
    TextLDAchse[n]->setText(s.liniendickeAchsen);
    TextLDGitter[n]->setText(s.liniendickeGitter);
    for (size_t z = 0; z < 4; ++z) farbfeldSetzen(Farbfelder[n][z], s.farben[z]);
  }
  chkSchemaDrucker->setChecked(f.schemaDrucker);
  TextNKSx->setText(f.nachkommastellenX);
  TextNKSy->setText(f.nachkommastellenY);
  optXBeschriftung[f.xBeschriftungManuell == 1 ? 1 : 0]->setChecked(true);
  if (f.xFormat >= 0) OptionZahlenformatX[f.xFormat]->setChecked(true);
  if (f.yFormat >= 0) OptionZahlenformatY[f.yFormat]->setChecked(true);
  txtXBeschriftung->setText(f.xBeschriftung);
  // The stored font, also when this machine lacks it: OK keeps it then.
  int schrift = ComboFont->findText(f.schriftart, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (schrift < 0 && !f.schriftart.isEmpty()) {
    ComboFont->insertItem(0, f.schriftart);
    schrift = 0;
  }
  ComboFont->setCurrentIndex(schrift);
  CheckFF->setChecked(f.fett);
  chkTitelGroesseAuto->setChecked(f.titelGroesseAuto);
  txtSchriftgroesseTitel->setText(f.titelGroesse);
  chkAchseGroesseAuto->setChecked(f.achsenGroesseAuto);
  txtSchriftgroesseAchsen->setText(f.achsenGroesse);
  chkBargraphAktiviert->setChecked(f.bargraphAktiviert);
  chkBargraphWertMax->setChecked(f.bargraphWertMax);
  chkBargraphProzent->setChecked(f.bargraphProzent);
  ComboFont_Click();
}

void FormEinstellungen::laden() {
  felderSetzen(einstellungsfelderLaden(hauptmodul().einstellungen, grafikParameter()));
}

void FormEinstellungen::showEvent(QShowEvent* ereignis) {
  laden();
  QDialog::showEvent(ereignis);
}

void FormEinstellungen::keyPressEvent(QKeyEvent* ereignis) {
  if (ereignis->key() == Qt::Key_F1) {
    Tolvek::HilfeAnzeigen(kHilfekontext);
    return;
  }
  QDialog::keyPressEvent(ereignis);
}

void FormEinstellungen::farbeWaehlen(QToolButton* feld) {
  const QColor gewaehlt = QColorDialog::getColor(farbe(farbfeld(feld)), this);
  if (gewaehlt.isValid()) farbfeldSetzen(feld, bgrWert(gewaehlt));
}

void FormEinstellungen::optXBeschriftung_Click(int16_t Index) {
  // Kept at once, also when the dialog is then cancelled.
  hauptmodul().einstellungen.XBeschriftungManuell = Index;
  XBeschriftungSetzen();
}

void FormEinstellungen::XBeschriftungSetzen() {
  if (!optXBeschriftung[0]->isChecked()) return;
  txtXBeschriftung->setText(xTitelAutomatisch(gewaehlt(OptionZahlenformatX)));
}

void FormEinstellungen::ComboFont_Click() {
  QFont schrift(ComboFont->currentText(), 10);
  schrift.setBold(CheckFF->isChecked());
  LabelFontTest->setFont(schrift);
}

void FormEinstellungen::CommandOK_Click() {
  Hauptmodul& h = hauptmodul();
  const Einstellungsfelder f = felder();
  if (const std::optional<QString> fehler = einstellungsfelderPruefen(f, h.Dezimaltrennzeichen)) {
    Tolvek::meldungen().hinweis(*fehler);
    return;
  }
  Einstellungen& e = h.einstellungen;
  const auto [altX, altY] = einstellungsfelderSpeichern(f, e, grafikParameter(), h.Dezimaltrennzeichen);
  auto* grafik = dynamic_cast<FormGRAFIK*>(ansichten().grafik);
  if (h.GrafikFensterOffen && grafik) {
    grafik->ZFxAendern(altX, e.XZahlenformatnummer);
    grafik->ZFyAendern(altY, e.YZahlenformatnummer);
    grafik->MSchema_Click(e.AktuellesSchema);
  }
  accept();
}

void einstellungenZeigen(QWidget* eltern) {
  FormEinstellungen dialog(eltern);
  dialog.exec();
}

}  // namespace pv
