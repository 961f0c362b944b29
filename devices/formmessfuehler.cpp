#include "formmessfuehler.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/eingabebox.h"
#include "common/fehlerbehandlung.h"
#include "common/fensterplatz.h"
#include "common/laufzeitfehler.h"
#include "common/meldungen.h"
#include "common/plotten.h"
#include "common/programmordner.h"
#include "common/textdatei.h"
#include "common/textpruefung.h"
#include "common/tolvek.h"
#include "common/zahlen.h"
#include "devices/messfuehlerlogik.h"

namespace pv {

namespace {

const QString kEingabeStarten = QStringLiteral("Eingabe der Wertepaare starten");
const QString kEingabeBeenden = QStringLiteral("Eingabe beenden und Sensordaten speichern");
constexpr int kEingabeZeilen = 1000;  // grid rows while pairs are entered, header included

}  // namespace

FormMessfuehler::FormMessfuehler(const QString& labelFuehler, QChar dezimal, QWidget* parent)
    : QDialog(parent), dezimal_(dezimal) {
  setWindowTitle(QStringLiteral("Sensor auswählen/bearbeiten/hinzufügen"));
  anlegen();
  FormLoad(labelFuehler);
  Tolvek::FensterEinpassen(*this);
}

void FormMessfuehler::anlegen() {
  auto* links = new QVBoxLayout;
  Label1 = new QLabel(QStringLiteral("Sensoren:"));
  List1 = new QListWidget;
  CommandAendern = new QPushButton(QStringLiteral("Bearbeiten"));
  CommandHinzufuegen = new QPushButton(QStringLiteral("Sensor hinzufügen"));
  CommandAuswaehlen = new QPushButton(QStringLiteral("Übernehmen/Ende"));
  CommandAbbrechen = new QPushButton(QStringLiteral("Abbrechen"));
  links->addWidget(Label1);
  links->addWidget(List1);
  for (QPushButton* b : {CommandAendern, CommandHinzufuegen, CommandAuswaehlen, CommandAbbrechen}) {
    links->addWidget(b);
    b->setAutoDefault(false);
  }
  // "Bearbeiten" is ready from the start, also with nothing selected: it
  // then opens the entry with the name and labels last read. "Übernehmen/
  // Ende" waits for a sensor read whole, which alone may become active.
  CommandAuswaehlen->setEnabled(false);

  PicFuehler = new KennlinienBild;
  FrameMFNeu = new QGroupBox(QStringLiteral("Neuer Sensor"));
  FrameMFNeu->setAutoFillBackground(true);
  auto* rahmen = new QGridLayout(FrameMFNeu);
  TextMFNeuBez = new QLineEdit;
  TextMFNeuXAchse = new QLineEdit;
  TextMFNeuYAchse = new QLineEdit;
  rahmen->addWidget(new QLabel(QStringLiteral("Bezeichnung:")), 0, 0);
  rahmen->addWidget(TextMFNeuBez, 0, 1);
  rahmen->addWidget(new QLabel(QStringLiteral("x-Achse:")), 1, 0);
  rahmen->addWidget(TextMFNeuXAchse, 1, 1);
  rahmen->addWidget(new QLabel(QStringLiteral("y-Achse:")), 2, 0);
  rahmen->addWidget(TextMFNeuYAchse, 2, 1);
  CommandMFNeuEingabe = new QPushButton(kEingabeStarten);
  CommandMFNeuAbbrechen = new QPushButton(QStringLiteral("Abbrechen"));
  CommandMFNeuEingabe->setAutoDefault(false);
  CommandMFNeuAbbrechen->setAutoDefault(false);
  rahmen->addWidget(CommandMFNeuEingabe, 3, 0, 1, 2);
  rahmen->addWidget(CommandMFNeuAbbrechen, 4, 0, 1, 2);
  FrameMFNeu->hide();
  auto* mitte = new QGridLayout;
  mitte->addWidget(PicFuehler, 0, 0);
  mitte->addWidget(FrameMFNeu, 0, 0, Qt::AlignCenter);  // lies over the plot

  // Texts the sensor file cannot hold are refused as they are typed.
  for (QLineEdit* feld : {TextMFNeuBez, TextMFNeuXAchse, TextMFNeuYAchse}) speicherbarBegrenzen(feld);

  FGrid = new QTableWidget(0, 2);
  FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  FGrid->verticalHeader()->hide();
  FGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  FGrid->setHorizontalHeaderLabels({QString(), QString()});
  FGrid->setMinimumWidth(230);
  FGrid->installEventFilter(this);
  Text1 = new QLineEdit(FGrid->viewport());
  Text1->hide();
  Text1->installEventFilter(this);

  auto* zeile = new QHBoxLayout(this);
  zeile->addLayout(links);
  zeile->addLayout(mitte, 1);
  zeile->addWidget(FGrid);
  resize(900, 480);

  // The selection, not the current row: the list makes its first entry
  // current when it takes the focus, without selecting it.
  connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
    if (gewaehlteZeile() >= 0) List1_Click();
  });
  connect(CommandAendern, &QPushButton::clicked, this, [this] { CommandAendern_Click(); });
  connect(CommandHinzufuegen, &QPushButton::clicked, this, [this] { CommandHinzufuegen_Click(); });
  connect(CommandAuswaehlen, &QPushButton::clicked, this, [this] { CommandAuswaehlen_Click(); });
  connect(CommandAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
  connect(CommandMFNeuEingabe, &QPushButton::clicked, this, [this] { CommandMFNeuEingabe_Click(); });
  connect(CommandMFNeuAbbrechen, &QPushButton::clicked, this, [this] { CommandMFNeuAbbrechen_Click(); });
  connect(TextMFNeuXAchse, &QLineEdit::textChanged, this, [this](const QString& t) {
    FGrid->horizontalHeaderItem(0)->setText(t);
  });
  connect(TextMFNeuYAchse, &QLineEdit::textChanged, this, [this](const QString& t) {
    FGrid->horizontalHeaderItem(1)->setText(t);
  });
  connect(FGrid, &QTableWidget::currentCellChanged, this, [this] { Text1Platzieren(); });
  connect(FGrid, &QTableWidget::cellClicked, this, [this] { Text1Platzieren(); });
  connect(FGrid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Text1Verschieben(); });
  connect(FGrid->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { Text1Verschieben(); });
}

void FormMessfuehler::FormLoad(const QString& labelFuehler) {
  int vorwahl = -1;
  try {
    const QDir ordner(Programmordner::pfad());
    QDir::setCurrent(ordner.path());
    for (const QString& name : dateienIn(ordner.path(), QStringLiteral("*.pvf"))) {
      QByteArray bytes;
      if (!dateiLesen(ordner.filePath(name), bytes)) {
        throw Laufzeitfehler(Laufzeitfehler::kPfadZugriff, QStringLiteral("Fehler beim Zugriff auf Pfad/Datei"));
      }
      const SensordateiInhalt kopf = sensordateiKopfLesen(bytes);
      if (!kopf.kopfGenau()) continue;
      // A broken file is reported; the files after it are still listed.
      if (!kopf.bezeichnung) {
        Tolvek::Fehlerbehandlung(QStringLiteral("FormMessfühler -> FormLoad"), Laufzeitfehler::kEingabeZuKurz,
                                 QStringLiteral("Einlesen hinter Dateiende"));
        continue;
      }
      if (*kopf.bezeichnung == labelFuehler) vorwahl = List1->count();
      FuehlerDateien_ << name;
      List1->addItem(*kopf.bezeichnung);
    }
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("FormMessfühler -> FormLoad"), fehler);
  }
  ModusNeu_ = ModusBearbeiten_ = false;
  Text1->hide();
  if (vorwahl >= 0) List1->setCurrentRow(vorwahl);
}

std::vector<SensorZellen> FormMessfuehler::zellen() const {
  std::vector<SensorZellen> z(static_cast<size_t>(FGrid->rowCount()));
  for (int r = 0; r < FGrid->rowCount(); ++r) {
    if (const QTableWidgetItem* i = FGrid->item(r, 0)) z[size_t(r)].x = i->text();
    if (const QTableWidgetItem* i = FGrid->item(r, 1)) z[size_t(r)].y = i->text();
  }
  return z;
}

void FormMessfuehler::zeilenSetzen(int gridZeilen) { FGrid->setRowCount(std::max(0, gridZeilen - 1)); }

void FormMessfuehler::kopfSetzen(const QString& x, const QString& y) {
  FGrid->horizontalHeaderItem(0)->setText(x);
  FGrid->horizontalHeaderItem(1)->setText(y);
}

int16_t FormMessfuehler::FuehlerSpeichern(const QString& Datei) {
  try {
    const auto text = sensordateiText(TextMFNeuBez->text(), TextMFNeuXAchse->text(), TextMFNeuYAchse->text(), zellen(),
                                      dezimal_);
    if (!text) throw Laufzeitfehler(Laufzeitfehler::kTypenUnvertraeglich, QStringLiteral("Typen unverträglich"));
    if (Datei.isEmpty() || !dateiErsetzen(Programmordner::datei(Datei), *text)) {
      throw Laufzeitfehler(Laufzeitfehler::kPfadZugriff, QStringLiteral("Fehler beim Zugriff auf Pfad/Datei"));
    }
    return 1;
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("FormMessfühler -> FühlerSpeichern"), fehler);
    return 0;
  }
}

bool FormMessfuehler::FuehlerEinlesen(const QString& Datei) {
  QByteArray bytes;
  if (!dateiLesen(Programmordner::datei(Datei), bytes)) {
    Tolvek::Fehlerbehandlung(QStringLiteral("FormMessfühler -> FühlerEinlesen"), Laufzeitfehler::kDateiNichtGefunden,
                             QStringLiteral("Datei nicht gefunden"));
    return false;
  }
  const SensordateiInhalt inhalt = sensordateiLesen(bytes, dezimal_);
  if (inhalt.kopf && !inhalt.kopfPasst()) return false;

  SensorZustand& s = sensorZustand();
  if (inhalt.bezeichnung) s.Sensorname = *inhalt.bezeichnung;
  if (inhalt.achsenGelesen) {
    s.Fuehler.XAchse = inhalt.xAchse;
    s.Fuehler.YAchse = inhalt.yAchse;
  }
  s.Fuehler.Anzahl = static_cast<int16_t>(inhalt.paare());
  s.Fuehler.X = inhalt.x;
  s.Fuehler.Y = inhalt.y;
  kennlinieZeigen();
  if (!inhalt.gelesen()) {
    Tolvek::Fehlerbehandlung(QStringLiteral("FormMessfühler -> FühlerEinlesen"),
                             Laufzeitfehler::kTypenUnvertraeglich, inhalt.fehler);
    return false;
  }
  return true;
}

void FormMessfuehler::kennlinieZeigen() {
  const SensorZustand& s = sensorZustand();
  const Kennlinie& k = s.Fuehler;
  FGrid->clearContents();
  zeilenSetzen(1 + k.Anzahl);
  kopfSetzen(k.XAchse, k.YAchse);
  for (int i = 1; i <= k.Anzahl && size_t(i) < k.X.size(); ++i) {
    FGrid->setItem(i - 1, 0, new QTableWidgetItem(singleText(k.X[size_t(i)], dezimal_)));
    FGrid->setItem(i - 1, 1, new QTableWidgetItem(singleText(k.Y[size_t(i)], dezimal_)));
  }
  PicFuehler->zeichnen(kennlinieGrafik(s.Sensorname, k.XAchse, k.YAchse), dezimal_);
}

void FormMessfuehler::List1_Click() {
  const int zeile = gewaehlteZeile();
  if (zeile < 0 || zeile >= FuehlerDateien_.size()) return;
  gelesen_ = FuehlerEinlesen(FuehlerDateien_[zeile]);
  CommandAuswaehlen->setEnabled(gelesen_);
  CommandAendern->setEnabled(true);
}

void FormMessfuehler::browsenErmoeglichen(bool jaNein) {
  List1->setEnabled(jaNein);
  CommandAuswaehlen->setEnabled(jaNein && gelesen_);
  CommandAendern->setEnabled(jaNein);
  CommandHinzufuegen->setEnabled(jaNein);
}

void FormMessfuehler::CommandHinzufuegen_Click() {
  PicFuehler->leeren();
  FGrid->clearContents();
  zeilenSetzen(1);
  kopfSetzen({}, {});
  browsenErmoeglichen(false);
  CommandMFNeuEingabe->setText(kEingabeStarten);
  FrameMFNeu->setTitle(QStringLiteral("Neuer Sensor"));
  FrameMFNeu->show();
  // The button pressed is disabled now: the typing goes to the designation.
  TextMFNeuBez->setFocus();
  ModusNeu_ = true;
}

void FormMessfuehler::CommandAendern_Click() {
  const SensorZustand& s = sensorZustand();
  PicFuehler->leeren();
  browsenErmoeglichen(false);
  CommandMFNeuEingabe->setText(kEingabeBeenden);
  FrameMFNeu->setTitle(QStringLiteral("Sensordaten bearbeiten"));
  TextMFNeuBez->setText(s.Sensorname);
  TextMFNeuXAchse->setText(s.Fuehler.XAchse);
  TextMFNeuYAchse->setText(s.Fuehler.YAchse);
  FrameMFNeu->show();
  ModusBearbeiten_ = true;
  // Room for 999 pairs, and for every pair of a larger characteristic.
  zeilenSetzen(std::max(kEingabeZeilen, FGrid->rowCount() + 1));
}

void FormMessfuehler::CommandMFNeuEingabe_Click() {
  if (CommandMFNeuEingabe->text() != kEingabeBeenden) {
    CommandMFNeuEingabe->setText(kEingabeBeenden);
    if (ModusNeu_) {
      zeilenSetzen(kEingabeZeilen);
      kopfSetzen(TextMFNeuXAchse->text(), TextMFNeuYAchse->text());
      FGrid->setFocus();
      FGrid->setCurrentCell(0, 0);
      Text1Platzieren();
    }
    return;
  }
  const QString meldung = sensorEingabePruefen(TextMFNeuBez->text(), TextMFNeuXAchse->text(),
                                               TextMFNeuYAchse->text(), zellen(), dezimal_);
  if (!meldung.isEmpty()) {
    Tolvek::meldungen().hinweis(meldung);
    return;
  }
  if (ModusNeu_) {
    speichernNeu();
  } else if (ModusBearbeiten_) {
    speichernBearbeitet();
  }
}

void FormMessfuehler::speichernNeu() {
  const QString name = sensorDateinameErfragen(TextMFNeuBez->text(), Tolvek::eingaben(), [](const QString& n) {
    return QFileInfo::exists(Programmordner::datei(n));
  });
  if (name.isEmpty()) return;
  // Sensor files live in the program folder; a name with a folder part is
  // refused like a failed write.
  if (!sensorDateinameZulaessig(name) || FuehlerSpeichern(name) == 0) {
    Tolvek::meldungen().hinweis(kSensorSpeicherfehler);
    return;
  }
  FuehlerDateien_ << name;
  sensorZustand().Sensorname = TextMFNeuBez->text();
  eingabeSchliessen();
  List1->addItem(sensorZustand().Sensorname);
  // Selecting the new entry reads the file back, shows and plots it.
  const int letzte = List1->count() - 1;
  if (gewaehlteZeile() == letzte) {
    List1_Click();
  } else {
    List1->setCurrentRow(letzte);
  }
}

void FormMessfuehler::speichernBearbeitet() {
  const int zeile = gewaehlteZeile();
  // An edit begun with nothing selected has no file of its own: it is saved
  // as a new sensor, under a name the user gives.
  if (zeile < 0 || zeile >= FuehlerDateien_.size()) {
    speichernNeu();
    return;
  }
  if (FuehlerSpeichern(FuehlerDateien_[zeile]) == 0) {
    Tolvek::meldungen().hinweis(kSensorSpeicherfehler);
    return;
  }
  eingabeSchliessen();
  List1_Click();
}

void FormMessfuehler::eingabeSchliessen() {
  FrameMFNeu->hide();
  Text1->hide();
  ModusNeu_ = ModusBearbeiten_ = false;
  browsenErmoeglichen(true);
}

void FormMessfuehler::CommandMFNeuAbbrechen_Click() {
  QString frage;
  if (ModusNeu_) frage = QStringLiteral("Wollen Sie die Eingabe der neuen Messfühlerdaten wirklich abbrechen?");
  if (ModusBearbeiten_) frage = QStringLiteral("Wollen Sie die Bearbeitung der Messfühlerdaten wirklich abbrechen?");
  if (!frage.isEmpty() &&
      Tolvek::meldungen().zeigen(frage, kAnwendungstitel, Knoepfe::JaNein, Symbol::Frage, Antwort::Nein) !=
          Antwort::Ja) {
    return;
  }
  eingabeSchliessen();
}

void FormMessfuehler::CommandAuswaehlen_Click() {
  SensorZustand& s = sensorZustand();
  const int zeile = gewaehlteZeile();
  if (s.Sensorname.isEmpty()) {
    accept();
    return;
  }
  // A sensor with nothing selected names no file: reported, and the window stays.
  if (zeile < 0 || zeile >= FuehlerDateien_.size()) {
    Tolvek::Fehlerbehandlung(QStringLiteral("FormMessfühler -> CommandAuswählen"), Laufzeitfehler::indexAusserhalb());
    return;
  }
  // Only a characteristic read whole becomes active, and the settings name
  // its file only together with it.
  if (gelesen_ && s.Fuehler.Anzahl != 0) {
    s.Sensordatei = FuehlerDateien_[zeile];
    s.Sensor = s.Fuehler;
    uebernommen_ = true;
  }
  accept();
}

// ------------------------------------------------------ floating cell editor

int FormMessfuehler::gewaehlteZeile() const {
  const auto gewaehlt = List1->selectedItems();
  return gewaehlt.isEmpty() ? -1 : List1->row(gewaehlt.first());
}

int FormMessfuehler::aktuelleGridZeile() const { return FGrid->currentRow() + 1; }

void FormMessfuehler::Text1Platzieren() {
  try {
    if (FGrid->currentRow() < 0 || FGrid->currentColumn() < 0 || (!ModusNeu_ && !ModusBearbeiten_)) return;
    AktSpalte_ = FGrid->currentColumn();
    AktZeile_ = aktuelleGridZeile();
    const QTableWidgetItem* zelle = FGrid->item(AktZeile_ - 1, AktSpalte_);
    AlterText_ = zelle ? zelle->text() : QString();
    Text1->setText(AlterText_);
    Text1->setGeometry(FGrid->visualRect(FGrid->model()->index(AktZeile_ - 1, AktSpalte_)));
    Text1->show();
    Text1->setFocus();
    Text1->setCursorPosition(int(Text1->text().size()));
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("FormMessfühler -> FGrid"), fehler);
  }
}

void FormMessfuehler::Text1Verschieben() {
  if (!Text1->isVisible() || FGrid->currentRow() < 0) return;
  Text1->setGeometry(FGrid->visualRect(FGrid->model()->index(FGrid->currentRow(), FGrid->currentColumn())));
}

bool FormMessfuehler::Text1Taste(int taste) {
  const int zeile = FGrid->currentRow();
  const int spalte = FGrid->currentColumn();
  switch (taste) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      FGrid->setItem(AktZeile_ - 1, AktSpalte_, new QTableWidgetItem(Text1->text()));
      const int neueSpalte = (spalte + 1) % 2;
      const int neueZeile = neueSpalte == 0 ? std::min(zeile + 1, FGrid->rowCount() - 1) : zeile;
      FGrid->setCurrentCell(neueZeile, neueSpalte);
      return true;
    }
    case Qt::Key_Up:
      if (zeile > 0) FGrid->setCurrentCell(zeile - 1, spalte);
      return true;
    case Qt::Key_Down:
      if (zeile < FGrid->rowCount() - 1) FGrid->setCurrentCell(zeile + 1, spalte);
      return true;
    case Qt::Key_Left:
      if (Text1->cursorPosition() != 0) return false;
      if (spalte != 0) FGrid->setCurrentCell(zeile, 0);
      return true;
    case Qt::Key_Right:
      if (Text1->cursorPosition() != Text1->text().size()) return false;
      if (spalte != 1) FGrid->setCurrentCell(zeile, 1);
      return true;
    case Qt::Key_Escape:
      if (AktZeile_ != 0) {
        FGrid->setItem(AktZeile_ - 1, AktSpalte_, new QTableWidgetItem(AlterText_));
        FGrid->setFocus();
        QApplication::processEvents();
        Text1->hide();
      }
      return true;
    default:
      return false;
  }
}

bool FormMessfuehler::FGridTaste(QKeyEvent* e) {
  if (e->key() == Qt::Key_C && e->modifiers() == Qt::ControlModifier) {
    QString clip;
    const auto bereiche = FGrid->selectedRanges();
    if (!bereiche.isEmpty()) {
      const QTableWidgetSelectionRange& b = bereiche.first();
      for (int r = b.topRow(); r <= b.bottomRow(); ++r) {
        if (r > b.topRow()) clip += u'\r';
        for (int c = b.leftColumn(); c <= b.rightColumn(); ++c) {
          if (c > b.leftColumn()) clip += u'\t';
          if (const QTableWidgetItem* i = FGrid->item(r, c)) clip += i->text();
        }
      }
    }
    QClipboard* ablage = QApplication::clipboard();
    ablage->clear();
    ablage->setText(sensorZwischenablage(clip));
    return true;
  }
  if (e->key() == Qt::Key_Delete) {
    for (QTableWidgetItem* i : FGrid->selectedItems()) i->setText({});
    return true;
  }
  return false;
}

void FormMessfuehler::keyPressEvent(QKeyEvent* e) {
  // Esc leaves the cell editor; pressed once more it must not close the
  // window and drop the pairs typed so far.
  if (e->key() == Qt::Key_Escape && (ModusNeu_ || ModusBearbeiten_)) return;
  QDialog::keyPressEvent(e);
}

bool FormMessfuehler::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == Text1 && ereignis->type() == QEvent::FocusOut) {
    Text1->hide();
  } else if (ereignis->type() == QEvent::KeyPress) {
    auto* taste = static_cast<QKeyEvent*>(ereignis);
    try {
      if (objekt == Text1) return Text1Taste(taste->key());
      if (objekt == FGrid) return FGridTaste(taste);
    } catch (const std::exception& fehler) {
      Tolvek::Fehlerbehandlung(objekt == Text1 ? QStringLiteral("FormMessfühler -> Text1_KeyDown")
                                               : QStringLiteral("FormMessfühler -> KeyDown"),
                               fehler);
      return true;
    }
  }
  return QDialog::eventFilter(objekt, ereignis);
}

}  // namespace pv
