#include "tabellenfenster.h"

#include <utility>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <new>

#include "common/allgemein.h"
#include "common/fehlerbehandlung.h"
#include "common/fensterplatz.h"
#include "common/sanduhr.h"
#include "common/tolvek.h"
#include "main/hauptzustand.h"
#include "views/exportfenster.h"
#include "views/hilfepunkt.h"
#include "views/messbeschreibung.h"
#include "views/tabellentext.h"

namespace pv {

namespace {

// Twips as this window's layout was designed, in pixels.
constexpr int kMinBreite = 7695 / 15;
constexpr int kMinHoehe = 4080 / 15;
constexpr int kSpaltenRand = 420 / 15;  // left over beside the two value columns
constexpr int kNummernspalte = 60;
// At most this often a recording moves the view to its newest row.
constexpr int kNachfuehrenMs = 50;

Tabellenformat aktuellesFormat() {
  const Hauptmodul& h = hauptmodul();
  const Einstellungen& e = h.einstellungen;
  return {e.XZahlenformatnummer, e.XNachkommastellen, e.YZahlenformatnummer, e.YNachkommastellen,
          h.Dezimaltrennzeichen, Tolvek::zustand().MessStartDatumZeit};
}
}  // namespace

TabellenFenster::TabellenFenster(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("TABELLE"));
  setMinimumSize(kMinBreite, kMinHoehe);
  resize(kMinBreite + 80, 420);

  // Menus.
  QMenu* tabelle = menuBar()->addMenu(QStringLiteral("&Tabelle"));
  mnuSpeichernUnter = tabelle->addAction(QStringLiteral("&Speichern unter"));
  mnuExportExcel = tabelle->addAction(QStringLiteral("&Export in EXCEL..."));
  tabelle->addSeparator();
  mnuDrucken = tabelle->addAction(QStringLiteral("&Drucken..."));
  tabelle->addSeparator();
  mnuEnde = tabelle->addAction(QStringLiteral("&Ende"));
  QMenu* einstellungen = menuBar()->addMenu(QStringLiteral("&Einstellungen"));
  mnuOptionen = einstellungen->addAction(QStringLiteral("Optionen..."));
  mnuOptionen->setEnabled(false);
  QMenu* hilfe = menuBar()->addMenu(QStringLiteral("&?"));
  mnuHilfe = hilfepunktAnlegen(hilfe, this, kHilfekontext);

  connect(mnuEnde, &QAction::triggered, this, [this] { Ende(); });
  connect(mnuExportExcel, &QAction::triggered, this, [this] { ExportExcel(); });
  connect(mnuOptionen, &QAction::triggered, this, [this] {
    if (optionen_) optionen_();
  });

  // The fields above the grid.
  auto* zentral = new QWidget(this);
  auto* spalte = new QVBoxLayout(zentral);
  Frame1 = new QGroupBox(QStringLiteral("Messwerte"), zentral);
  auto* raster = new QGridLayout(Frame1);
  VonText = new QLineEdit(QStringLiteral("1"), Frame1);
  BisLabel = new QLabel(QStringLiteral("bis"), Frame1);
  BisText = new QLineEdit(Frame1);
  Label1 = new QLabel(QStringLiteral("Schrittweite:"), Frame1);
  txtStep = new QLineEdit(QStringLiteral("1"), Frame1);
  AktuellButton = new QPushButton(QStringLiteral("Aktualisieren"), Frame1);
  CheckAuto = new QCheckBox(QStringLiteral("automatisch"), Frame1);
  CheckAuto->setChecked(true);
  CommandZA = new QPushButton(QStringLiteral("in die Zwischenablage kopieren"), Frame1);
  cmdZeitVerdichten = new QPushButton(QStringLiteral("QUENDOR Makro: Zeit verdichten"), Frame1);
  for (QLineEdit* feld : {VonText, BisText, txtStep}) feld->setMaximumWidth(90);
  // The tool tips find the controls by these names.
  for (auto [w, name] : {std::pair<QWidget*, const char*>{VonText, "VonText"}, {BisText, "BisText"},
                         {txtStep, "txtStep"}, {CommandZA, "CommandZA"}, {CheckAuto, "CheckAuto"},
                         {AktuellButton, "AktuellButton"}}) {
    w->setObjectName(QLatin1String(name));
  }
  raster->addWidget(VonText, 0, 0);
  raster->addWidget(BisLabel, 0, 1);
  raster->addWidget(BisText, 0, 2);
  raster->addWidget(Label1, 0, 3);
  raster->addWidget(txtStep, 0, 4);
  raster->addWidget(AktuellButton, 0, 5);
  raster->addWidget(CheckAuto, 0, 6);
  raster->addWidget(CommandZA, 1, 0, 1, 4);
  raster->addWidget(cmdZeitVerdichten, 1, 4, 1, 3);
  spalte->addWidget(Frame1);

  // The grid: a view on the rows, drawing only what is visible.
  modell_ = new Tabellenmodell(this);
  FGridT = new QTableView(zentral);
  FGridT->setModel(modell_);
  FGridT->verticalHeader()->hide();
  FGridT->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  FGridT->verticalHeader()->setDefaultSectionSize(FGridT->fontMetrics().height() + 6);
  FGridT->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  FGridT->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  FGridT->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  FGridT->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // One block of cells at a time, so Ctrl+C copies exactly the rows shown selected.
  FGridT->setSelectionMode(QAbstractItemView::ContiguousSelection);
  FGridT->setWordWrap(false);
  spalte->addWidget(FGridT, 1);
  setCentralWidget(zentral);
  kopfSchreiben();
  spaltenbreitenSetzen();

  nachfuehren_ = new QTimer(this);
  nachfuehren_->setSingleShot(true);
  nachfuehren_->setInterval(kNachfuehrenMs);
  connect(nachfuehren_, &QTimer::timeout, this, [this] { ansichtNachfuehren(); });
  ansichten().tabelle = this;
  connect(modell_, &QAbstractItemModel::modelReset, this, [this] { aktuelleZelleVorgeben(); });
  connect(modell_, &QAbstractItemModel::rowsInserted, this, [this] { aktuelleZelleVorgeben(); });

  connect(AktuellButton, &QPushButton::clicked, this, [this] { Fuellen(); });
  connect(CommandZA, &QPushButton::clicked, this, [this] { CommandZA_Click(); });
  connect(cmdZeitVerdichten, &QPushButton::clicked, this, [this] { cmdZeitVerdichten_Click(); });
  for (QLineEdit* feld : {VonText, BisText, txtStep}) ganzzahlfeld(feld);
  BisText->installEventFilter(this);
  // The value columns share the grid's width whenever the grid changes size.
  FGridT->installEventFilter(this);
  Tolvek::FensterEinpassen(*this);
}

TabellenFenster::~TabellenFenster() {
  hauptmodul().TabelleOffen = false;
  if (ansichten().tabelle == this) ansichten().tabelle = nullptr;
}

void ganzzahlfeld(QLineEdit* feld) {
  QObject::connect(feld, &QLineEdit::textEdited, feld, [feld](const QString& text) {
    const QString gefiltert = ganzzahlFilter(text, hauptmodul().Dezimaltrennzeichen);
    if (gefiltert != text) feld->setText(gefiltert);
  });
}

void TabellenFenster::optionenSetzen(std::function<void()> oeffnen) {
  optionen_ = std::move(oeffnen);
  mnuOptionen->setEnabled(static_cast<bool>(optionen_));
}

void TabellenFenster::Zeigen() {
  meldungHatAktivierung_ = false;  // showing it from the menu is the user's activation
  show();
  raise();
  activateWindow();
}

void TabellenFenster::Aktivieren() {
  try {
    const int32_t m = hauptmodul().messdaten.m;
    Schritt = standardSchritt(m);
    txtStep->setText(QString::number(Schritt));
    BisText->setText(QString::number(m));
    // Rows of another measurement must not stand for this one's, also when
    // there is nothing to list or the fill refuses the range (one value
    // forms none).
    if (!zeilenGehoerenZu(*modell_, hauptmodul().messdaten, aktuellesFormat())) Leeren();
    if (m > 0) Fuellen();
    hauptmodul().TabelleOffen = true;
  } catch (const std::exception& fehler) {
    fehlerMelden(QStringLiteral("Tabelle -> FormActivate"), fehler);
  }
}

void TabellenFenster::Fuellen() {
  if (fuelltGerade_) return;
  fuelltGerade_ = true;
  struct Ende {
    bool& flagge;
    ~Ende() { flagge = false; }
  } ende{fuelltGerade_};

  const Hauptmodul& h = hauptmodul();
  const Bereichspruefung pruefung =
      tabellenbereichPruefen(VonText->text(), BisText->text(), txtStep->text(), h.messdaten.m, h.Dezimaltrennzeichen);
  if (!pruefung.gueltig()) {
    const Ablehnung& a = pruefung.ablehnung;
    melden(a.text, a.symbol, a.titel);
    switch (a.fokus) {
      case Eingabefeld::Von: VonText->setFocus(); break;
      case Eingabefeld::Bis: BisText->setFocus(); break;
      case Eingabefeld::Schritt: txtStep->setFocus(); break;
      case Eingabefeld::Keins: break;
    }
    return;
  }
  const Bereich& b = *pruefung.bereich;
  VonIndex = b.von;
  BisIndex = b.bis;
  Schritt = b.schritt;

  Sanduhr sanduhr;
  try {
    kopfSchreiben();
    modell_->zeilenSetzen(tabellenzeilen(h.messdaten, b, aktuellesFormat()));
  } catch (const std::bad_alloc&) {
    melden(QStringLiteral("Der Speicher reicht nicht aus, um die Tabelle \r\n"
                          "in der von Ihnen gewünschten Größe darzustellen.\r\n"
                          "Ändern Sie daher bitte Ihre Eingaben!"));
  } catch (const std::exception& fehler) {
    fehlerMelden(QStringLiteral("Tabelle -> AktuellButton"), fehler);
  }
}

void TabellenFenster::kopfSchreiben() {
  const Einstellungen& e = hauptmodul().einstellungen;
  const Messbeschreibung b = aktuelleMessbeschreibung();
  modell_->kopfSetzen(tabellenKopf(e.XBezeichnung, b.PhysGr, e.YBezeichnung, b.Einheit));
}

void TabellenFenster::Leeren() {
  modell_->leeren();
  kopfSchreiben();
}

bool TabellenFenster::Offen() const { return hauptmodul().TabelleOffen; }

bool TabellenFenster::AutoAnhaengen() const { return CheckAuto->isChecked(); }

void TabellenFenster::BisTextSetzen(const QString& text) { BisText->setText(text); }

void TabellenFenster::ZeileAnhaengen(const QString& ersteZelle) {
  modell_->zeileAnhaengen({ersteZelle, QString(), QString()});
}

int TabellenFenster::Zeilenzahl() const { return modell_->gitterZeilen(); }

void TabellenFenster::ZelleSetzen(int zeile, int spalte, const QString& text) {
  modell_->zelleSetzen(zeile, spalte, text);
}

void TabellenFenster::AktuelleZelleSetzen(int zeile, int spalte) {
  aktuelleZeile_ = zeile;
  aktuelleSpalte_ = spalte;
  if (!nachfuehren_->isActive()) nachfuehren_->start();
}

void TabellenFenster::ObersteZeileSetzen(int zeile) {
  obersteZeile_ = zeile;
  if (!nachfuehren_->isActive()) nachfuehren_->start();
}

void TabellenFenster::ansichtNachfuehren() {
  const int zeilen = modell_->rowCount();
  // Grid row r is model row r - 1; the header row is never current. The
  // selection shrinks to the new current cell, so Ctrl+C copies that cell.
  if (aktuelleZeile_ >= 1 && aktuelleZeile_ <= zeilen)
    FGridT->selectionModel()->setCurrentIndex(modell_->index(aktuelleZeile_ - 1, aktuelleSpalte_),
                                              QItemSelectionModel::ClearAndSelect);
  if (obersteZeile_ >= 1 && obersteZeile_ <= zeilen)
    FGridT->scrollTo(modell_->index(obersteZeile_ - 1, 0), QAbstractItemView::PositionAtTop);
  aktuelleZeile_ = -1;
  obersteZeile_ = -1;
}

void TabellenFenster::aktuelleZelleVorgeben() {
  // The grid always has a current cell once it has rows: the first time,
  // unless the user or the recording has chosen another.
  if (!FGridT->currentIndex().isValid() && modell_->rowCount() > 0)
    FGridT->selectionModel()->setCurrentIndex(modell_->index(0, 1), QItemSelectionModel::NoUpdate);
}

void TabellenFenster::Ende() {
  hauptmodul().TabelleOffen = false;
  hide();
}

void TabellenFenster::inDieZwischenablage(const QString& text) {
  QClipboard* ablage = QGuiApplication::clipboard();
  ablage->clear();
  ablage->setText(text);
}

void TabellenFenster::CommandZA_Click() {
  if (hauptmodul().messdaten.m < 1) return;
  try {
    Sanduhr sanduhr;
    inDieZwischenablage(tabellenText(*modell_));
  } catch (const std::exception& fehler) {
    fehlerMelden(QStringLiteral("Tabelle -> CommandZA"), fehler);
  }
}

void TabellenFenster::AuswahlKopieren() {
  try {
    // A row the recording has just added makes its cell current first.
    if (nachfuehren_->isActive()) {
      nachfuehren_->stop();
      ansichtNachfuehren();
    }
    // Without a selection the current cell alone is copied.
    const QModelIndex aktuell = FGridT->currentIndex();
    QItemSelection auswahl = FGridT->selectionModel()->selection();
    if (auswahl.isEmpty() && aktuell.isValid()) auswahl.select(aktuell, aktuell);
    if (auswahl.isEmpty()) return;
    // The grid's rows are the model's rows + 1 (row 0 is the header).
    int oben = auswahl.first().top(), unten = auswahl.first().bottom();
    int links = auswahl.first().left(), rechts = auswahl.first().right();
    for (const QItemSelectionRange& r : auswahl) {
      oben = std::min(oben, r.top());
      unten = std::max(unten, r.bottom());
      links = std::min(links, r.left());
      rechts = std::max(rechts, r.right());
    }
    Sanduhr sanduhr;
    inDieZwischenablage(auswahlText(*modell_, oben + 1, links, unten + 1, rechts));
  } catch (const std::exception& fehler) {
    fehlerMelden(QStringLiteral("Tabelle -> Grid -> KeyDown"), fehler);
  }
}

void TabellenFenster::cmdZeitVerdichten_Click() {
  if (hauptmodul().messdaten.m == 0) return;
  Zeitverdichtung v;
  {
    Sanduhr sanduhr;
    try {
      v = zeitVerdichten(*modell_, hauptmodul().Dezimaltrennzeichen);
    } catch (const std::exception&) {
      v.ausgang = Zeitverdichtung::Ausgang::Fehler;
    }
  }
  switch (v.ausgang) {
    case Zeitverdichtung::Ausgang::Text: inDieZwischenablage(v.text); break;
    case Zeitverdichtung::Ausgang::OhneErgebnis:
      melden(kZeitverdichtungOhneErgebnis, Symbol::Information);
      break;
    case Zeitverdichtung::Ausgang::Fehler:
      melden(kZeitverdichtungFehler, Symbol::Kritisch);
      break;
  }
}

void TabellenFenster::ExportExcel() {
  ExportFenster dialog(QStringLiteral("Excel"), this, this);
  dialog.setWindowTitle(QStringLiteral("Messwerte exportieren"));
  dialog.exec();
}

TabellenFelder TabellenFenster::felder() const { return {VonText->text(), BisText->text(), txtStep->text()}; }

void TabellenFenster::melden(const QString& text, Symbol symbol, const QString& titel) {
  ++offeneMeldungen_;
  Tolvek::meldungen().hinweis(text, symbol, titel);
  --offeneMeldungen_;
}

void TabellenFenster::fehlerMelden(const QString& label, const std::exception& fehler) {
  ++offeneMeldungen_;
  Tolvek::Fehlerbehandlung(label, fehler);
  --offeneMeldungen_;
}

bool TabellenFenster::event(QEvent* ereignis) {
  if (ereignis->type() == QEvent::WindowDeactivate && offeneMeldungen_ > 0) meldungHatAktivierung_ = true;
  if (ereignis->type() == QEvent::WindowActivate) {
    if (offeneMeldungen_ > 0 || meldungHatAktivierung_)
      meldungHatAktivierung_ = false;  // back from a box of the window's own
    else
      Aktivieren();
  }
  return QMainWindow::event(ereignis);
}

void TabellenFenster::closeEvent(QCloseEvent* ereignis) {
  hauptmodul().TabelleOffen = false;
  // The user's close box only hides the window, which keeps its rows; the
  // program's end closes it for real.
  if (ereignis->spontaneous()) {
    ereignis->ignore();
    hide();
    return;
  }
  QMainWindow::closeEvent(ereignis);
}

void TabellenFenster::spaltenbreitenSetzen() {
  FGridT->setColumnWidth(0, kNummernspalte);
  const int breite = std::max(40, (FGridT->width() - kNummernspalte - kSpaltenRand) / 2);
  FGridT->setColumnWidth(1, breite);
  FGridT->setColumnWidth(2, breite);
}

bool TabellenFenster::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == BisText && ereignis->type() == QEvent::MouseButtonDblClick) {
    BisText->setText(QString::number(hauptmodul().messdaten.m));
    return true;
  }
  if (objekt == FGridT && ereignis->type() == QEvent::Resize) spaltenbreitenSetzen();
  if (objekt == FGridT && ereignis->type() == QEvent::KeyPress) {
    // Ctrl alone with C copies the selection; nothing else copies.
    const auto* taste = static_cast<QKeyEvent*>(ereignis);
    if (taste->key() == Qt::Key_C && taste->modifiers() == Qt::ControlModifier) {
      AuswahlKopieren();
      return true;
    }
    // The grid's own copy of the current cell (Ctrl+Insert) is not offered.
    if (taste->matches(QKeySequence::Copy)) return true;
  }
  return QMainWindow::eventFilter(objekt, ereignis);
}

}  // namespace pv
