#include "gereigen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/allgemein.h"
#include "common/dateiauswahl.h"
#include "common/fensterplatz.h"
#include "common/meldungen.h"
#include "common/programmordner.h"
#include "common/textpruefung.h"
#include "common/tolvek.h"
#include "devices/dateinamedialog.h"

namespace pv {
namespace {

constexpr int16_t kHilfeGeraeteeditor = 400;
const QSize kBildflaeche(180, 135);

const char* const kGeraetearten[] = {"DMM 3 1/2 stellig (19990)", "DMM 3 3/4 stellig (39990)",
                                     "DMM 4 1/2 stellig (199990)", "DMM 4 3/4 stellig (399990)",
                                     "Waage", "Sonstiges Gerät"};
const char* const kZeichenFuer[] = {"Zeichen für:", "Mega", "Kilo", "Milli", "Mikro", "Nano", "Piko"};

void auswaehlen(QComboBox* liste, const QString& text) {
  if (liste->isEditable()) {
    liste->setEditText(text);
  } else {
    liste->setCurrentIndex(liste->findText(text));
  }
}

GerEigenUmfeld mitDateinamenDialog(GerEigenUmfeld umfeld, QWidget* fenster) {
  if (!umfeld.dateinameWaehlen) {
    umfeld.dateinameWaehlen = [fenster](const QString& ordner, const QString& vorschlag) {
      return dateinameFuerGeraet(ordner, vorschlag, fenster);
    };
  }
  return umfeld;
}

}  // namespace

GerEigen::GerEigen(GerEigenUmfeld umfeld, QSize bildMax, QWidget* parent)
    : QDialog(parent), editor_(mitDateinamenDialog(std::move(umfeld), this)) {
  setWindowTitle(QStringLiteral("Eigenes Gerät definieren/ändern"));
  setModal(true);

  // Three columns that fit a 1024 x 768 screen.
  auto* links = new QVBoxLayout;
  links->addWidget(kopfAnlegen());
  links->addWidget(schnittstelleAnlegen());
  links->addWidget(transferAnlegen());
  links->addStretch();
  auto* mitte = new QVBoxLayout;
  mitte->addWidget(formatAnlegen());
  mitte->addWidget(messbereichAnlegen());
  mitte->addStretch();
  auto* rechts = new QVBoxLayout;
  rechts->addWidget(bildAnlegen(bildMax));
  rechts->addStretch();

  UebernButton[0] = new QPushButton(QStringLiteral("Gerät speichern unter ..."), this);
  UebernButton[1] = new QPushButton(QStringLiteral("Änderungen speichern"), this);
  CommandAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  cmdHilfe = new QPushButton(QStringLiteral("Hilfe"), this);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(cmdHilfe);
  knoepfe->addStretch();
  for (int i = 0; i < 2; ++i) {
    knoepfe->addWidget(UebernButton[i]);
    connect(UebernButton[i], &QPushButton::clicked, this, [this, i] { UebernButton_Click(i); });
  }
  knoepfe->addWidget(CommandAbbrechen);
  for (QPushButton* k : {UebernButton[0], UebernButton[1], CommandAbbrechen, cmdHilfe}) k->setAutoDefault(false);
  connect(CommandAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHilfe, &QPushButton::clicked, this, [] { Tolvek::HilfeAnzeigen(kHilfeGeraeteeditor); });

  auto* spalten = new QHBoxLayout;
  spalten->addLayout(links);
  spalten->addLayout(mitte);
  spalten->addLayout(rechts);
  auto* gesamt = new QVBoxLayout(this);
  gesamt->addLayout(spalten);
  gesamt->addLayout(knoepfe);

  ImageDarstellen(QString());
  // Centred on the screen.
  Tolvek::FensterEinpassen(*this, Tolvek::Fensterplatz::Mitte);
}

QLineEdit* GerEigen::textfeld(const QString& name) {
  auto* feld = new QLineEdit(this);
  feld->setObjectName(name);
  // Every text of this window goes into a Windows-1252 device file.
  speicherbarBegrenzen(feld);
  return feld;
}

QWidget* GerEigen::kopfAnlegen() {
  auto* block = new QWidget(this);
  auto* v = new QVBoxLayout(block);
  v->setContentsMargins(0, 0, 0, 0);
  auto* bezeichnung = new QGroupBox(QStringLiteral("Bezeichnung"), this);
  GerBezText = textfeld(QStringLiteral("GerBezText"));
  (new QVBoxLayout(bezeichnung))->addWidget(GerBezText);
  v->addWidget(bezeichnung);

  auto* art = new QGroupBox(QStringLiteral("Geräteart"), this);
  auto* g = new QGridLayout(art);
  for (int i = 0; i < 6; ++i) {
    OptionGeraet[i] = new QRadioButton(QString::fromUtf8(kGeraetearten[i]), this);
    g->addWidget(OptionGeraet[i], i, 0, 1, 2);
    connect(OptionGeraet[i], &QRadioButton::clicked, this, [this, i] { OptionGeraet_Click(i); });
  }
  TextMBVoll = textfeld(QStringLiteral("TextMBVoll"));
  TextMBVoll->setText(QStringLiteral("99999"));
  g->addWidget(new QLabel(QStringLiteral("Messwert - Maximum"), this), 6, 0);
  TextMBVoll->setMaximumWidth(100);
  g->addWidget(TextMBVoll, 6, 1);
  v->addWidget(art);
  return block;
}

QWidget* GerEigen::formatAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Datenformat"), this);
  auto* g = new QGridLayout(rahmen);
  const auto zeile = [&](int z, const QString& text, QLineEdit*& feld, const QString& name) {
    feld = textfeld(name);
    feld->setMaximumWidth(60);
    g->addWidget(new QLabel(text, this), z, 0);
    g->addWidget(feld, z, 1);
  };
  zeile(0, QStringLiteral("Datensatz-Länge (inkl. Abschlusszeichen)"), txtDatenStringLaenge,
        QStringLiteral("txtDatenStringLaenge"));
  zeile(1, QStringLiteral("Datensatz-Abschlusszeichen"), txtLetzteZeichen, QStringLiteral("txtLetzteZeichen"));
  zeile(2, QStringLiteral("Messwert: erstes Zeichen an Position"), txtMesswertStart,
        QStringLiteral("txtMesswertStart"));
  zeile(3, QStringLiteral("Messwert: letztes Zeichen an Position"), txtMesswertStop,
        QStringLiteral("txtMesswertStop"));
  zeile(4, QStringLiteral("Vorzeichen: Zeichen an Position"), txtVorzeichenStelle,
        QStringLiteral("txtVorzeichenStelle"));
  zeile(5, QStringLiteral("Einheit 1: erstes Zeichen an Position"), txtEinheit1_0, QStringLiteral("txtEinheit1_0"));
  zeile(6, QStringLiteral("Einheit 1: letztes Zeichen an Position"), txtEinheit1_1, QStringLiteral("txtEinheit1_1"));
  zeile(7, QStringLiteral("Einheit 2: erstes Zeichen an Position"), txtEinheit2_0, QStringLiteral("txtEinheit2_0"));
  zeile(8, QStringLiteral("Einheit 2: letztes Zeichen an Position"), txtEinheit2_1, QStringLiteral("txtEinheit2_1"));
  chkDatenformatAutomatischErkennen = new QCheckBox(QStringLiteral("automatisch erkennen"), this);
  g->addWidget(chkDatenformatAutomatischErkennen, 9, 0, 1, 2);
  connect(chkDatenformatAutomatischErkennen, &QCheckBox::clicked, this,
          [this](bool an) { chkDatenformatAutomatischErkennen_Click(an); });
  return rahmen;
}

QWidget* GerEigen::schnittstelleAnlegen() {
  frameSchnittstellenparameter = new QGroupBox(QStringLiteral("Schnittstellenparameter"), this);
  auto* g = new QGridLayout(frameSchnittstellenparameter);
  Baud = new QComboBox(this);
  Baud->setEditable(true);
  Paritaet = new QComboBox(this);
  Datenbits = new QComboBox(this);
  Stopbits = new QComboBox(this);
  const std::pair<QComboBox*, const char*> listen[] = {
      {Baud, "Baud-Rate"}, {Paritaet, "Parität"}, {Datenbits, "Daten-Bits"}, {Stopbits, "Stop-Bits"}};
  int nr = 0;
  for (const auto& [liste, text] : listen) {
    const int zeile = nr / 2 * 2, spalte = nr % 2;
    g->addWidget(new QLabel(QString::fromUtf8(text), this), zeile, spalte);
    g->addWidget(liste, zeile + 1, spalte);
    ++nr;
  }
  Baud->addItems(baudraten());
  Paritaet->addItems(paritaeten());
  Datenbits->addItems(datenbitsListe());
  Stopbits->addItems(stopbitsListe());
  const GeraeteEingaben neu;
  auswaehlen(Baud, neu.Baud);
  auswaehlen(Paritaet, neu.Paritaet);
  auswaehlen(Datenbits, neu.Datenbits);
  auswaehlen(Stopbits, neu.Stopbits);
  chkRTS = new QCheckBox(QStringLiteral("RTS"), this);
  chkDTR = new QCheckBox(QStringLiteral("DTR"), this);
  g->addWidget(chkRTS, 4, 0);
  g->addWidget(chkDTR, 4, 1);
  return frameSchnittstellenparameter;
}

QWidget* GerEigen::transferAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Datentransfer"), this);
  auto* g = new QGridLayout(rahmen);
  OptionTransferAktiv = new QRadioButton(QStringLiteral("Gerät sendet eigenständig Daten"), this);
  OptionTransferPassiv = new QRadioButton(QStringLiteral("Computer muss das Zeichen"), this);
  TextTransferzeichen = textfeld(QStringLiteral("TextTransferzeichen"));
  TextDatenTransferZeit = textfeld(QStringLiteral("TextDatenTransferZeit"));
  TextTransferzeichen->setMaximumWidth(100);
  TextDatenTransferZeit->setMaximumWidth(60);
  g->addWidget(OptionTransferAktiv, 0, 0, 1, 3);
  g->addWidget(OptionTransferPassiv, 1, 0);
  g->addWidget(TextTransferzeichen, 1, 1, 1, 2);
  g->addWidget(new QLabel(QStringLiteral("senden mit"), this), 2, 0, Qt::AlignRight);
  g->addWidget(TextDatenTransferZeit, 2, 1);
  g->addWidget(new QLabel(QStringLiteral("Sekunde(n) Wartezeit zwischen den Abfragen"), this), 3, 0, 1, 3);
  return rahmen;
}

QWidget* GerEigen::messbereichAnlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Messbereich"), this);
  auto* v = new QVBoxLayout(rahmen);
  OptionMBAuto = new QRadioButton(QStringLiteral("Messbereich soll automatisch erkannt werden durch"), this);
  OptionMBManuell = new QRadioButton(QStringLiteral("Messbereich wird vom Benutzer angegeben"), this);
  // Two groups of option buttons in one frame: each group on its own.
  auto* modus = new QWidget(this);
  auto* mv = new QVBoxLayout(modus);
  mv->setContentsMargins(0, 0, 0, 0);
  mv->addWidget(OptionMBAuto);
  auto* erkennung = new QWidget(modus);
  auto* ev = new QGridLayout(erkennung);
  ev->setContentsMargins(20, 0, 0, 0);
  OptionZeichenStelle[0] = new QRadioButton(QStringLiteral("erstes Zeichen des ersten Einheitenblocks"), erkennung);
  OptionZeichenStelle[1] = new QRadioButton(QStringLiteral("erstes Zeichen des zweiten Einheitenblocks"), erkennung);
  OptionZeichenStelle[2] = new QRadioButton(QStringLiteral("Zeichen wird an Position"), erkennung);
  TextZeichenStelle = textfeld(QStringLiteral("TextZeichenStelle"));
  TextZeichenStelle->setMaximumWidth(50);
  Label7 = new QLabel(QStringLiteral("übertragen"), erkennung);
  ev->addWidget(OptionZeichenStelle[0], 0, 0, 1, 3);
  ev->addWidget(OptionZeichenStelle[1], 1, 0, 1, 3);
  ev->addWidget(OptionZeichenStelle[2], 2, 0);
  ev->addWidget(TextZeichenStelle, 2, 1);
  ev->addWidget(Label7, 2, 2);
  mv->addWidget(erkennung);
  mv->addWidget(OptionMBManuell);
  v->addWidget(modus);

  FrameMessbereichZeichen = new QGroupBox(this);
  auto* g = new QGridLayout(FrameMessbereichZeichen);
  LabelZeichen[0] = new QLabel(QString::fromUtf8(kZeichenFuer[0]), this);
  g->addWidget(LabelZeichen[0], 0, 0, 1, 4);
  const auto standard = standardMBZeichen();
  for (int i = 0; i < 6; ++i) {
    LabelZeichen[i + 1] = new QLabel(QString::fromUtf8(kZeichenFuer[i + 1]), this);
    TextMBZeichen[i] = textfeld(QStringLiteral("TextMBZeichen%1").arg(i));
    TextMBZeichen[i]->setText(standard[i]);
    TextMBZeichen[i]->setMaximumWidth(40);
    g->addWidget(LabelZeichen[i + 1], i % 3 + 1, i / 3 * 2);
    g->addWidget(TextMBZeichen[i], i % 3 + 1, i / 3 * 2 + 1);
  }
  v->addWidget(FrameMessbereichZeichen);
  connect(OptionMBAuto, &QRadioButton::clicked, this, [this] { messbereichSchalten(true); });
  connect(OptionMBManuell, &QRadioButton::clicked, this, [this] { messbereichSchalten(false); });
  return rahmen;
}

QWidget* GerEigen::bildAnlegen(QSize bildMax) {
  auto* rahmen = new QGroupBox(QStringLiteral("Bild"), this);
  auto* g = new QGridLayout(rahmen);
  TextBildDateiEigenGeraet = textfeld(QStringLiteral("TextBildDateiEigenGeraet"));
  CommandBildWaehlen = new QPushButton(QStringLiteral("Bild auswählen..."), this);
  cmdNoPic = new QPushButton(QStringLiteral("Kein Bild"), this);
  for (QPushButton* k : {CommandBildWaehlen, cmdNoPic}) k->setAutoDefault(false);
  Shape1 = new QLabel(this);
  Shape1->setFixedSize(kBildflaeche);
  Shape1->setFrameShape(QFrame::Box);
  Image1 = new QLabel(Shape1);
  Image1->setScaledContents(true);
  picNoPic = new QLabel(QStringLiteral("kein Bild vorhanden"), Shape1);
  picNoPic->setAlignment(Qt::AlignCenter);
  picNoPic->setGeometry(0, 0, kBildflaeche.width(), kBildflaeche.height());
  LabelPicSize = new QLabel(QStringLiteral("Maximal angezeigt:\nBildhöhe: %1 Pixel\nBildbreite: %2 Pixel")
                                .arg(bildMax.height())
                                .arg(bildMax.width()),
                            this);
  g->addWidget(new QLabel(QStringLiteral("Dateiname:"), this), 0, 0);
  g->addWidget(TextBildDateiEigenGeraet, 0, 1);
  g->addWidget(Shape1, 1, 0, 1, 2, Qt::AlignCenter);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(CommandBildWaehlen);
  knoepfe->addWidget(cmdNoPic);
  g->addLayout(knoepfe, 2, 0, 1, 2);
  g->addWidget(LabelPicSize, 3, 0, 1, 2);
  connect(TextBildDateiEigenGeraet, &QLineEdit::returnPressed, this,
          [this] { ImageDarstellen(TextBildDateiEigenGeraet->text()); });
  connect(CommandBildWaehlen, &QPushButton::clicked, this, [this] { CommandBildWaehlen_Click(); });
  connect(cmdNoPic, &QPushButton::clicked, this, [this] {
    TextBildDateiEigenGeraet->clear();
    ImageDarstellen(QString());
  });
  return rahmen;
}

void GerEigen::GeraetBearbeiten(const QString& messgeraet) { anzeigen(editor_.GeraetBearbeiten(messgeraet)); }

void GerEigen::anzeigen(const EditorAnsicht& a) {
  const GeraeteEingaben& e = a.eingaben;
  setWindowTitle(a.titel);
  UebernButton[0]->setVisible(a.speichernUnterSichtbar);
  UebernButton[1]->setVisible(a.aenderungenSichtbar);
  GerBezText->setText(e.GerBezText);
  if (e.OptionGeraet >= 0) {
    OptionGeraet[e.OptionGeraet]->setChecked(true);
    OptionGeraet_Click(e.OptionGeraet);
  }
  TextMBVoll->setText(e.TextMBVoll);
  const std::array<QString, 7> positionen = {e.txtMesswertStart, e.txtMesswertStop, e.txtVorzeichenStelle,
                                             e.txtEinheit1_0,    e.txtEinheit1_1,   e.txtEinheit2_0,
                                             e.txtEinheit2_1};
  const auto felder = positionsfelder();
  for (size_t i = 0; i < felder.size(); ++i) felder[i]->setText(positionen[i]);
  txtDatenStringLaenge->setText(e.txtDatenStringLaenge);
  txtLetzteZeichen->setText(e.txtLetzteZeichen);
  if (a.usb) {
    for (QComboBox* liste : {Paritaet, Datenbits, Stopbits}) liste->clear();
    frameSchnittstellenparameter->setEnabled(false);
  }
  auswaehlen(Baud, e.Baud);
  if (!a.usb) {
    auswaehlen(Paritaet, e.Paritaet);
    auswaehlen(Datenbits, e.Datenbits);
    auswaehlen(Stopbits, e.Stopbits);
  }
  chkRTS->setChecked(e.chkRTS);
  chkDTR->setChecked(e.chkDTR);
  using T = GeraeteEingaben::Transfer;
  OptionTransferAktiv->setChecked(e.transfer == T::Aktiv);
  OptionTransferPassiv->setChecked(e.transfer == T::Passiv);
  TextTransferzeichen->setText(e.TextTransferzeichen);
  TextDatenTransferZeit->setText(e.TextDatenTransferZeit);
  TextBildDateiEigenGeraet->setText(e.TextBildDateiEigenGeraet);
  ImageDarstellen(e.TextBildDateiEigenGeraet);
  using M = GeraeteEingaben::Messbereich;
  if (e.messbereich != M::Keiner) {
    (e.messbereich == M::Automatisch ? OptionMBAuto : OptionMBManuell)->setChecked(true);
    messbereichSchalten(e.messbereich == M::Automatisch);
  }
  if (e.OptionZeichenStelle >= 1) OptionZeichenStelle[e.OptionZeichenStelle - 1]->setChecked(true);
  TextZeichenStelle->setText(e.TextZeichenStelle);
  for (int i = 0; i < 6; ++i) TextMBZeichen[i]->setText(e.TextMBZeichen[i]);
}

GeraeteEingaben GerEigen::eingaben() const {
  GeraeteEingaben e;
  e.GerBezText = GerBezText->text();
  e.OptionGeraet = -1;
  for (int i = 0; i < 6; ++i) {
    if (OptionGeraet[i]->isChecked()) e.OptionGeraet = i;
  }
  e.TextMBVoll = TextMBVoll->text();
  e.txtDatenStringLaenge = txtDatenStringLaenge->text();
  e.txtMesswertStart = txtMesswertStart->text();
  e.txtMesswertStop = txtMesswertStop->text();
  e.txtVorzeichenStelle = txtVorzeichenStelle->text();
  e.txtEinheit1_0 = txtEinheit1_0->text();
  e.txtEinheit1_1 = txtEinheit1_1->text();
  e.txtEinheit2_0 = txtEinheit2_0->text();
  e.txtEinheit2_1 = txtEinheit2_1->text();
  e.txtLetzteZeichen = txtLetzteZeichen->text();
  e.Baud = Baud->currentText();
  e.Paritaet = Paritaet->currentText();
  e.Datenbits = Datenbits->currentText();
  e.Stopbits = Stopbits->currentText();
  e.chkRTS = chkRTS->isChecked();
  e.chkDTR = chkDTR->isChecked();
  using T = GeraeteEingaben::Transfer;
  e.transfer = OptionTransferAktiv->isChecked() ? T::Aktiv : OptionTransferPassiv->isChecked() ? T::Passiv : T::Keiner;
  e.TextTransferzeichen = TextTransferzeichen->text();
  e.TextDatenTransferZeit = TextDatenTransferZeit->text();
  e.TextBildDateiEigenGeraet = TextBildDateiEigenGeraet->text();
  using M = GeraeteEingaben::Messbereich;
  e.messbereich = OptionMBAuto->isChecked() ? M::Automatisch : OptionMBManuell->isChecked() ? M::Manuell : M::Keiner;
  e.OptionZeichenStelle = 0;
  for (int i = 0; i < 3; ++i) {
    if (OptionZeichenStelle[i]->isChecked()) e.OptionZeichenStelle = i + 1;
  }
  e.TextZeichenStelle = TextZeichenStelle->text();
  for (int i = 0; i < 6; ++i) e.TextMBZeichen[i] = TextMBZeichen[i]->text();
  return e;
}

void GerEigen::UebernButton_Click(int index) {
  const GeraeteEditor::Speichern s = editor_.UebernButton_Click(static_cast<int16_t>(index), eingaben());
  if (s.gespeichert) {
    accept();
    return;
  }
  const std::pair<EditorFeld, QLineEdit*> fokus[] = {
      {EditorFeld::txtDatenStringLaenge, txtDatenStringLaenge}, {EditorFeld::txtMesswertStart, txtMesswertStart},
      {EditorFeld::txtMesswertStop, txtMesswertStop},           {EditorFeld::txtVorzeichenStelle, txtVorzeichenStelle},
      {EditorFeld::txtEinheit1_0, txtEinheit1_0},               {EditorFeld::txtEinheit1_1, txtEinheit1_1},
      {EditorFeld::txtEinheit2_0, txtEinheit2_0},               {EditorFeld::txtEinheit2_1, txtEinheit2_1},
      {EditorFeld::txtLetzteZeichen, txtLetzteZeichen}};
  for (const auto& [feld, box] : fokus) {
    if (feld == s.fokus) box->setFocus();
  }
}

void GerEigen::OptionGeraet_Click(int index) {
  const QString fest = dmmSkalaText(index);
  TextMBVoll->setEnabled(fest.isEmpty());
  if (!fest.isEmpty()) TextMBVoll->setText(fest);
}

void GerEigen::messbereichSchalten(bool automatisch) {
  for (QRadioButton* o : OptionZeichenStelle) o->setEnabled(automatisch);
  Label7->setEnabled(automatisch);
  TextZeichenStelle->setEnabled(automatisch);
  for (QLabel* l : LabelZeichen) l->setEnabled(automatisch);
  for (QLineEdit* t : TextMBZeichen) t->setEnabled(automatisch);
  FrameMessbereichZeichen->setEnabled(automatisch);
}

std::array<QLineEdit*, 7> GerEigen::positionsfelder() const {
  return {txtMesswertStart, txtMesswertStop, txtVorzeichenStelle, txtEinheit1_0,
          txtEinheit1_1,    txtEinheit2_0,   txtEinheit2_1};
}

void GerEigen::chkDatenformatAutomatischErkennen_Click(bool an) {
  // All positions 0 mean the automatic format; the typed ones come back.
  static const char* const kGemerkt = "gemerkterText";
  for (QLineEdit* feld : positionsfelder()) {
    if (an) {
      feld->setProperty(kGemerkt, feld->text());
      feld->setText(QStringLiteral("0"));
    } else {
      feld->setText(feld->property(kGemerkt).toString());
    }
    feld->setEnabled(!an);
  }
}

void GerEigen::ImageDarstellen(const QString& bild) {
  picNoPic->hide();
  Image1->hide();
  Image1->clear();
  if (!GeraeteEditor::bildVorhanden(bild)) {
    picNoPic->show();
    return;
  }
  QImageReader leser(Programmordner::datei(bild));
  const QImage b = leser.read();
  if (b.isNull()) {
    Tolvek::meldungen().hinweis(QStringLiteral("Ungültiges Bild!"));
    picNoPic->show();
    return;
  }
  const QSize groesse = vorschauGroesse(b.size(), Shape1->size());
  Image1->setPixmap(QPixmap::fromImage(b));
  Image1->setGeometry((Shape1->width() - groesse.width()) / 2, (Shape1->height() - groesse.height()) / 2,
                      groesse.width(), groesse.height());
  Image1->show();
}

void GerEigen::CommandBildWaehlen_Click() {
  // Starts where the device pictures are, the program folder.
  const QString datei = dateiauswahl().oeffnen(
      this, QStringLiteral("Bild auswählen"), Programmordner::pfad(),
      QStringLiteral("Alle Bilddateien (*.gif;*.jpg;*.bmp) (*.gif *.jpg *.bmp);;Bilddatei (*.gif) (*.gif);;"
                     "Bilddatei (*.jpg) (*.jpg);;Bilddatei (*.bmp) (*.bmp);;Alle Dateien (*.*) (*)"));
  if (datei.isEmpty()) return;
  ImageDarstellen(datei);
  TextBildDateiEigenGeraet->setText(datei);
}

void GerEigen::done(int ergebnis) {
  editor_.entladen();
  QDialog::done(ergebnis);
}

void GerEigen::keyPressEvent(QKeyEvent* ereignis) {
  if (ereignis->key() == Qt::Key_F1) {
    Tolvek::HilfeAnzeigen(kHilfeGeraeteeditor);
    return;
  }
  QDialog::keyPressEvent(ereignis);
}

}  // namespace pv
