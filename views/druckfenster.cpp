#include "druckfenster.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "acquisition/ansichten.h"
#include "common/allgemein.h"
#include "common/bildschirmbild.h"
#include "common/farben.h"
#include "common/fensterplatz.h"
#include "common/laufzeitfehler.h"
#include "common/meldungen.h"
#include "common/textdatei.h"
#include "common/tolvek.h"
#include "common/zahlen.h"
#include "main/hauptzustand.h"
#include "views/ansichtenzustand.h"
#include "views/grafikbild.h"
#include "views/grafikfenster.h"

namespace pv {

const QString FormDrucken::kPdfEintrag = QStringLiteral("PDF-Datei");

namespace {

const QString kVorschauProblem = QStringLiteral("Es gab ein Problem bei der Vorschau der Grafik!");
const QString kDruckProblem =
    QStringLiteral("Es gab ein Problem beim Drucken der Grafik!\r\nDer Druckauftrag wurde abgebrochen!");
constexpr int kVorschauflaeche = 260;

// The graph window's plot height in pixels: the reference of the fonts.
double grafikHoehe() {
  const auto* grafik = dynamic_cast<const FormGRAFIK*>(ansichten().grafik);
  return grafik && grafik->GRAF->height() > 0 ? grafik->GRAF->height() : 500.0;
}

// The range of the graph window's last drawing: the graph that is printed,
// whatever other surface was drawn on since.
Grafikbereich grafikBereich() {
  auto* grafik = dynamic_cast<FormGRAFIK*>(ansichten().grafik);
  return grafik ? grafik->GRAF->flaeche().letzteGrafik : Grafikbereich{};
}

// The graph window's graph on a page as the printer takes it: line widths
// grown with the printer's resolution, the page neither cleared nor
// refreshed.
int16_t grafikAufSeite(Zeichenflaeche& ziel, GrafikEinstellungen& r) {
  const Hauptmodul& h = hauptmodul();
  Grafikbereich b = grafikBereich();
  ziel.drucker = true;
  return Tolvek::GrafikZeichnen(ziel, b.XMin, b.XMax, b.YMin, b.YMax, h.messdaten.x, h.messdaten.y, r,
                                h.Dezimaltrennzeichen);
}

// Draws the graph on the device's page. True only when the graph is complete
// and the page is done; otherwise the printer's job (auftrag) is cancelled.
bool seiteZeichnen(QPaintDevice& geraet, QPrinter* auftrag, GrafikEinstellungen& r) {
  QPainter maler;
  if (!maler.begin(&geraet)) return false;
  int16_t ergebnis = Tolvek::kGrafikNichts;
  {
    Zeichenflaeche ziel(maler);
    ergebnis = grafikAufSeite(ziel, r);
  }
  if (ergebnis != Tolvek::kGrafikFertig) {
    if (auftrag) auftrag->abort();
    maler.end();
    return false;
  }
  return maler.end();
}

QPixmap seitenbild(bool querformat, qreal verhaeltnis) {
  QPixmap bild = QPixmap::fromImage(bildschirmbild({40, 40}, verhaeltnis, Qt::transparent, QImage::Format_ARGB32));
  QPainter p(&bild);
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawRect(querformat ? QRect(2, 10, 35, 24) : QRect(8, 2, 24, 35));
  return bild;
}

}  // namespace

// The page of the preview: a picture the page is drawn into, at the
// widget's size and the screen's ratio. Moved to a screen of another ratio
// it asks for a new preview (neuesBild).
class Seitenvorschau : public QWidget {
 public:
  explicit Seitenvorschau(QWidget* eltern) : QWidget(eltern) {}
  // An empty page: the picture white at the widget's size.
  void leeren() { bild = bildschirmbild(size(), devicePixelRatioF(), Qt::white); }
  QImage bild;
  std::function<void()> neuesBild;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!bildPasst(bild, size(), devicePixelRatioF())) {
      leeren();
      if (neuesBild) QMetaObject::invokeMethod(this, neuesBild, Qt::QueuedConnection);
    }
    QPainter p(this);
    p.drawImage(0, 0, bild);
    rahmenMalen(p, rect(), devicePixelRatioF(), Qt::gray, Qt::gray);
  }
  void resizeEvent(QResizeEvent*) override { leeren(); }
};

FormDrucken::FormDrucken(QWidget* eltern) : QDialog(eltern), drucker_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setWindowTitle(QStringLiteral("Drucken"));
  auto* raster = new QGridLayout(this);
  raster->addWidget(druckerrahmenAnlegen(), 0, 0, 1, 2);
  raster->addWidget(einstellungsrahmenAnlegen(), 1, 0);
  raster->addWidget(orientierungsrahmenAnlegen(), 2, 0);

  auto* vorschau = new QVBoxLayout;
  Pic1 = new QWidget(this);
  Pic1->setFixedSize(kVorschauflaeche, kVorschauflaeche);
  PicPrintPrev = new Seitenvorschau(Pic1);
  PicPrintPrev->neuesBild = [this] { vorschauWennAutomatisch(); };
  CheckVorschauAuto = new QCheckBox(QStringLiteral("Vorschau"), this);
  CommandVorschau = new QPushButton(QStringLiteral("Vorschau"), this);
  vorschau->addWidget(Pic1);
  auto* vorschauknoepfe = new QHBoxLayout;
  vorschauknoepfe->addWidget(CheckVorschauAuto);
  vorschauknoepfe->addWidget(CommandVorschau);
  vorschau->addLayout(vorschauknoepfe);
  raster->addLayout(vorschau, 1, 1, 2, 1);

  auto* knoepfe = new QHBoxLayout;
  CommandOK = new QPushButton(QStringLiteral("Drucken"), this);
  CommandAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  knoepfe->addStretch(1);
  knoepfe->addWidget(CommandOK);
  knoepfe->addWidget(CommandAbbrechen);
  raster->addLayout(knoepfe, 3, 0, 1, 2);
  connect(CommandVorschau, &QPushButton::clicked, this, [this] { GrafikVorschauDrucken(0); });
  connect(CommandOK, &QPushButton::clicked, this, [this] { CommandOK_Click(); });
  connect(CommandAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
  // No button is pressed by Enter: in a size or margin field it only draws
  // the preview.
  for (QPushButton* knopf : findChildren<QPushButton*>()) knopf->setAutoDefault(false);

  // Form_Load: the printers, the current one or the one kept, centred.
  const QStringList namen = QPrinterInfo::availablePrinterNames();
  Combo1->addItems(namen);
  Combo1->addItem(kPdfEintrag);
  const QString gewaehlt = hauptmodul().einstellungen.DruckerName;
  int index = Combo1->findText(gewaehlt);
  if (index < 0) index = std::max(0, Combo1->findText(QPrinterInfo::defaultPrinterName()));
  CheckVorschauAuto->setChecked(false);
  CheckHor->setChecked(true);
  CheckVer->setChecked(true);
  (ansichtenzustand().Druckorientierung == 2 ? OptionPOQ : OptionPOH)->setChecked(true);
  Combo1->setCurrentIndex(index);
  Combo1_Click();
  CheckVorschauAuto->setChecked(true);
  Tolvek::FensterEinpassen(*this);
}

FormDrucken::~FormDrucken() = default;

QWidget* FormDrucken::druckerrahmenAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Drucker"), this);
  auto* r = new QGridLayout(rahmen);
  Combo1 = new QComboBox(rahmen);
  LabelOrt = new QLabel(rahmen);
  CommandDrEig = new QPushButton(QStringLiteral("Eigenschaften..."), rahmen);
  r->addWidget(new QLabel(QStringLiteral("Name:"), rahmen), 0, 0);
  r->addWidget(Combo1, 0, 1);
  r->addWidget(CommandDrEig, 0, 2);
  r->addWidget(new QLabel(QStringLiteral("Ort:"), rahmen), 1, 0);
  r->addWidget(LabelOrt, 1, 1);
  r->setColumnStretch(1, 1);
  connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
  connect(CommandDrEig, &QPushButton::clicked, this, [this] { CommandDrEig_Click(); });

  auto* kopien = new QGroupBox(QStringLiteral("Kopien"), rahmen);
  auto* k = new QHBoxLayout(kopien);
  Text2 = new QLineEdit(QStringLiteral("1"), kopien);
  Text2->setMaximumWidth(48);
  VScroll1 = new QScrollBar(Qt::Vertical, kopien);
  VScroll1->setRange(1, 99);
  VScroll1->setInvertedControls(true);
  VScroll1->setInvertedAppearance(true);
  VScroll1->setFixedHeight(Text2->sizeHint().height());
  k->addWidget(new QLabel(QStringLiteral("Kopien:"), kopien));
  k->addWidget(Text2);
  k->addWidget(VScroll1);
  connect(Text2, &QLineEdit::textChanged, this, [this](const QString& text) {
    const QSignalBlocker sperre(VScroll1);
    // A number no scroll bar holds leaves it where it is.
    if (const std::optional<int32_t> wert = ganzzahl32(val(text))) VScroll1->setValue(*wert);
  });
  connect(VScroll1, &QScrollBar::valueChanged, this, [this](int wert) { Text2->setText(QString::number(wert)); });
  r->addWidget(kopien, 0, 3, 2, 1);
  return rahmen;
}

QWidget* FormDrucken::einstellungsrahmenAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Einstellungen"), this);
  auto* r = new QGridLayout(rahmen);
  const std::pair<QLineEdit**, const char*> felder[] = {
      {&TextLR, "linker Rand:"}, {&TextOR, "oberer Rand:"}, {&TextBreite, "Breite:"}, {&TextHoehe, "Höhe:"}};
  int zeile = 0;
  for (const auto& [feld, name] : felder) {
    *feld = new QLineEdit(rahmen);
    (*feld)->setMaximumWidth(60);
    (*feld)->setAlignment(Qt::AlignRight);
    r->addWidget(new QLabel(QString::fromUtf8(name), rahmen), zeile, 0);
    r->addWidget(*feld, zeile, 1);
    r->addWidget(new QLabel(QStringLiteral("mm"), rahmen), zeile, 2);
    // Enter draws the preview, also with the automatic preview off.
    connect(*feld, &QLineEdit::returnPressed, this, [this] { GrafikVorschauDrucken(0); });
    ++zeile;
  }
  CheckHor = new QCheckBox(QStringLiteral("Horizontal zentriert"), rahmen);
  CheckVer = new QCheckBox(QStringLiteral("Vertikal zentriert"), rahmen);
  r->addWidget(CheckHor, 0, 3);
  r->addWidget(CheckVer, 1, 3);
  connect(CheckHor, &QCheckBox::toggled, this, [this] { randfeldUmschalten(CheckHor, TextLR); });
  connect(CheckVer, &QCheckBox::toggled, this, [this] { randfeldUmschalten(CheckVer, TextOR); });
  return rahmen;
}

QWidget* FormDrucken::orientierungsrahmenAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Orientierung"), this);
  auto* r = new QGridLayout(rahmen);
  OptionPOH = new QRadioButton(QStringLiteral("Hochformat"), rahmen);
  OptionPOQ = new QRadioButton(QStringLiteral("Querformat"), rahmen);
  PicPOH = new QLabel(rahmen);
  PicPOQ = new QLabel(rahmen);
  PicPOH->setPixmap(seitenbild(false, devicePixelRatioF()));
  PicPOQ->setPixmap(seitenbild(true, devicePixelRatioF()));
  r->addWidget(OptionPOH, 0, 0);
  r->addWidget(OptionPOQ, 1, 0);
  r->addWidget(PicPOH, 0, 1, 2, 1);
  r->addWidget(PicPOQ, 0, 1, 2, 1);
  connect(OptionPOH, &QRadioButton::clicked, this, [this] { orientierungWaehlen(false); });
  connect(OptionPOQ, &QRadioButton::clicked, this, [this] { orientierungWaehlen(true); });
  return rahmen;
}

void druckerWaehlen(QPrinter& drucker, const QString& eintrag) {
  if (eintrag == FormDrucken::kPdfEintrag) {
    drucker.setOutputFormat(QPrinter::PdfFormat);
    return;
  }
  drucker.setOutputFormat(QPrinter::NativeFormat);
  drucker.setPrinterName(eintrag);
  // A printer that still names a file writes every job into it, whatever
  // printer is chosen (PDF prints go through a page made in memory).
  drucker.setOutputFileName(QString());
}

void FormDrucken::Combo1_Click() {
  const QString name = Combo1->currentText();
  druckerWaehlen(*drucker_, name);
  LabelOrt->setText(name == kPdfEintrag ? QStringLiteral("Datei") : QPrinterInfo::printerInfo(name).location());
  hauptmodul().einstellungen.DruckerName = name;
  if (OptionPOQ->isChecked())
    orientierungWaehlen(true);
  else if (OptionPOH->isChecked())
    orientierungWaehlen(false);
}

void FormDrucken::CommandDrEig_Click() {
  // The page set-up shows the layout in its units: millimetres, as the
  // dialog's fields, whatever the locale's measurement system.
  QPageLayout seite = drucker_->pageLayout();
  seite.setUnits(QPageLayout::Millimeter);
  drucker_->setPageLayout(seite);
  QPageSetupDialog dialog(drucker_.get(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  // Sizes and margins stay as typed; only a new orientation lays the page out
  // anew, as its option does.
  const bool quer = drucker_->pageLayout().orientation() == QPageLayout::Landscape;
  if (quer != OptionPOQ->isChecked()) {
    orientierungWaehlen(quer);
    return;
  }
  seitenkastenAnlegen(quer);
  vorschauWennAutomatisch();
}

void FormDrucken::orientierungWaehlen(bool querformat) {
  PicPOQ->setVisible(querformat);
  PicPOH->setVisible(!querformat);
  (querformat ? OptionPOQ : OptionPOH)->setChecked(true);
  drucker_->setPageOrientation(querformat ? QPageLayout::Landscape : QPageLayout::Portrait);
  seitenkastenAnlegen(querformat);
  ansichtenzustand().Druckorientierung = querformat ? 2 : 1;
  const auto [breite, hoehe] = seitenfelder(querformat, seite());
  TextBreite->setText(breite);
  TextHoehe->setText(hoehe);
  TextLR->setText(QStringLiteral("0"));
  TextOR->setText(QStringLiteral("0"));
  if (CheckVorschauAuto->isChecked())
    GrafikVorschauDrucken(0);
  else
    PicPrintPrev->leeren();
}

bool FormDrucken::seitenkastenAnlegen(bool querformat) {
  QSize kasten;
  try {
    kasten = seitenkasten(querformat, seite(), kVorschauflaeche);
  } catch (const Laufzeitfehler&) {
    // A page without size: no box, and nothing in it.
    PicPrintPrev->leeren();
    PicPrintPrev->update();
    return false;
  }
  PicPrintPrev->setGeometry((kVorschauflaeche - kasten.width()) / 2, (kVorschauflaeche - kasten.height()) / 2,
                            kasten.width(), kasten.height());
  PicPrintPrev->leeren();
  PicPrintPrev->update();
  return true;
}

void FormDrucken::orientierungAnwenden() {
  if (OptionPOQ->isChecked())
    drucker_->setPageOrientation(QPageLayout::Landscape);
  else if (OptionPOH->isChecked())
    drucker_->setPageOrientation(QPageLayout::Portrait);
}

void FormDrucken::randfeldUmschalten(QCheckBox* box, QLineEdit* feld) {
  feld->setEnabled(!box->isChecked());
  if (!box->isChecked()) {
    feld->setFocus();
    feld->selectAll();
  }
  vorschauWennAutomatisch();
}

void FormDrucken::vorschauWennAutomatisch() {
  if (CheckVorschauAuto->isChecked()) GrafikVorschauDrucken(0);
}

void FormDrucken::showEvent(QShowEvent* ereignis) {
  QDialog::showEvent(ereignis);
  vorschauWennAutomatisch();
}

QSizeF FormDrucken::seite() const { return drucker_->pageLayout().paintRect(QPageLayout::Millimeter).size(); }

const QImage& FormDrucken::vorschaubild() const { return PicPrintPrev->bild; }

std::optional<Drucklayout> FormDrucken::layoutLesen() const {
  const QChar dez = hauptmodul().Dezimaltrennzeichen;
  Drucklayout l;
  l.horizontalZentriert = CheckHor->isChecked();
  l.vertikalZentriert = CheckVer->isChecked();
  const std::pair<QLineEdit*, float*> felder[] = {
      {TextBreite, &l.breite}, {TextHoehe, &l.hoehe}, {TextLR, &l.linkerRand}, {TextOR, &l.obererRand}};
  for (const auto& [feld, wert] : felder) {
    const bool gebraucht = (feld != TextLR || !l.horizontalZentriert) && (feld != TextOR || !l.vertikalZentriert);
    const std::optional<double> zahl = zahlLesen(feld->text(), dez);
    if (!zahl && gebraucht) return std::nullopt;
    *wert = static_cast<float>(zahl.value_or(0));
  }
  return l;
}

bool FormDrucken::GrafikVorschauDrucken(int16_t VorDruck) {
  const Einstellungen& e = hauptmodul().einstellungen;
  const bool quer = OptionPOQ->isChecked();
  if ((OptionPOQ->isChecked() || OptionPOH->isChecked()) && VorDruck == 0 && !seitenkastenAnlegen(quer)) {
    Tolvek::meldungen().hinweis(kVorschauProblem);
    return true;
  }
  orientierungAnwenden();
  const QSizeF s = seite();
  const std::optional<Drucklayout> l = layoutLesen();
  std::optional<GrafikEinstellungen> r;
  if (l) r = druckeinstellungen(grafikParameter(), e.SchemaDrucker == 1, e.Schemata[5], *l, s);
  if (!r) {
    // Nothing was drawn yet: also a print request fails as the preview does.
    Tolvek::meldungen().hinweis(kVorschauProblem);
    return true;
  }
  const double f = seitenanteil(*l, s);
  if (VorDruck == 1) {
    const Druckausgang ausgang = drucken(*r, f);
    if (ausgang == Druckausgang::Fehlgeschlagen) Tolvek::meldungen().hinweis(kDruckProblem);
    orientierungAnwenden();
    return ausgang != Druckausgang::Abgebrochen;
  }
  // The preview: the page drawn as the printer draws it, at the printer's
  // resolution, and shrunk into its box, so that it looks as it will print.
  druckfassung(*r, f);
  PicPrintPrev->leeren();
  Zeichenflaeche ziel(PicPrintPrev->bild, drucker_->pageLayout().paintRectPixels(drucker_->resolution()).size(),
                      drucker_->resolution());
  grafikAufSeite(ziel, *r);
  PicPrintPrev->update();
  return true;
}

void FormDrucken::druckfassung(GrafikEinstellungen& r, double f) const {
  r.Druckausgabe = true;
  schriftenSkalieren(r, drucker_->paperRect(QPrinter::Inch).height() * 96.0 / grafikHoehe(), f);
}

FormDrucken::Druckausgang FormDrucken::drucken(GrafikEinstellungen r, double f) {
  druckfassung(r, f);
  if (drucker_->outputFormat() != QPrinter::PdfFormat)
    return seiteZeichnen(*drucker_, drucker_.get(), r) ? Druckausgang::Gedruckt : Druckausgang::Fehlgeschlagen;

  const QString name = hauptmodul().messdaten.Messung;
  const QString datei = grafikexportDatei(this, QStringLiteral("Drucken in PDF-Datei"),
                                          (name.isEmpty() ? QStringLiteral("Grafik") : name) + QStringLiteral(".pdf"),
                                          QStringLiteral("PDF-Datei (*.pdf)"), QStringLiteral("pdf"));
  if (datei.isEmpty()) return Druckausgang::Abgebrochen;
  // The page is made in memory on the printer's page and resolution and then
  // written through the file functions: a file that cannot be written whole
  // keeps what it held, and a new one is not left half written.
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  QPdfWriter schreiber(&pdf);
  schreiber.setPageLayout(drucker_->pageLayout());
  schreiber.setResolution(drucker_->resolution());
  const bool gedruckt = seiteZeichnen(schreiber, nullptr, r) && dateiErsetzen(datei, pdf.data());
  return gedruckt ? Druckausgang::Gedruckt : Druckausgang::Fehlgeschlagen;
}

void FormDrucken::CommandOK_Click() {
  // A count beyond any number fails before drawing, as a size that is not one.
  if (const std::optional<int32_t> kopien = ganzzahl32(std::max(1.0, val(Text2->text())))) {
    drucker_->setCopyCount(*kopien);
    // A PDF file name not given: back to the dialog.
    if (!GrafikVorschauDrucken(1)) return;
  } else {
    Tolvek::meldungen().hinweis(kVorschauProblem);
  }
  accept();
}

void druckfensterZeigen(QWidget* eltern) {
  // Made on first use; later showings keep the choices.
  static QPointer<FormDrucken> dialog;
  if (!dialog) dialog = new FormDrucken(eltern ? eltern->window() : nullptr);
  dialog->exec();
}

}  // namespace pv
