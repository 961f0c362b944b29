#include "geraeteliste.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/allgemein.h"
#include "common/fensterplatz.h"

namespace pv {
namespace {

// Help topic of the device list window.
constexpr int16_t kHilfeGeraeteliste = 300;

int gewaehlteZeile(const QListWidget* liste) {
  const QList<QListWidgetItem*> gewaehlt = liste->selectedItems();
  return gewaehlt.isEmpty() ? -1 : liste->row(gewaehlt.first());
}

}  // namespace

frmGeraeteListe::frmGeraeteListe(GeraeteMenue& menue, QChar dezimaltrennzeichen, QWidget* parent)
    : QDialog(parent), auswahl_(menue, dezimaltrennzeichen) {
  setWindowTitle(QStringLiteral("Geräteauswahl"));
  setModal(true);

  lstAll = new QListWidget(this);
  lstMenu = new QListWidget(this);
  for (QListWidget* liste : {lstAll, lstMenu}) {
    liste->setSelectionMode(QAbstractItemView::SingleSelection);
    liste->installEventFilter(this);
  }
  lstAll->setObjectName(QStringLiteral("lstAll"));
  lstMenu->setObjectName(QStringLiteral("lstMenu"));

  cmdNachMenue = new QPushButton(QStringLiteral("-->"), this);
  cmdAusMenue = new QPushButton(QStringLiteral("<--"), this);
  cmdNeu = new QPushButton(QStringLiteral("Neu..."), this);
  cmdBearbeiten = new QPushButton(QStringLiteral("Bearbeiten..."), this);
  cmdLoeschen = new QPushButton(QStringLiteral("Löschen"), this);
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  for (QPushButton* knopf : {cmdNachMenue, cmdAusMenue, cmdNeu, cmdBearbeiten, cmdLoeschen, cmdAbbrechen}) {
    knopf->setAutoDefault(false);
  }
  cmdOK->setDefault(true);

  auto* raster = new QGridLayout;
  raster->addWidget(new QLabel(QStringLiteral("verfügbare Geräte"), this), 0, 0);
  raster->addWidget(new QLabel(QStringLiteral("Geräte im Menü"), this), 0, 2);
  raster->addWidget(lstAll, 1, 0);
  raster->addWidget(lstMenu, 1, 2);
  auto* pfeile = new QVBoxLayout;
  pfeile->addStretch();
  pfeile->addWidget(cmdNachMenue);
  pfeile->addWidget(cmdAusMenue);
  pfeile->addStretch();
  raster->addLayout(pfeile, 1, 1);

  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(cmdNeu);
  knoepfe->addWidget(cmdBearbeiten);
  knoepfe->addWidget(cmdLoeschen);
  knoepfe->addStretch();
  knoepfe->addWidget(cmdOK);
  knoepfe->addWidget(cmdAbbrechen);

  auto* gesamt = new QVBoxLayout(this);
  gesamt->addLayout(raster);
  gesamt->addLayout(knoepfe);

  connect(cmdNachMenue, &QPushButton::clicked, this, [this] {
    if (auswahl_.insMenue(gewaehlteZeile(lstAll))) listenAnzeigen();
  });
  connect(cmdAusMenue, &QPushButton::clicked, this, [this] {
    if (auswahl_.ausMenue(gewaehlteZeile(lstMenu))) listenAnzeigen();
  });
  connect(cmdNeu, &QPushButton::clicked, this, [this] {
    if (auswahl_.neu()) listenAnzeigen();
  });
  connect(cmdBearbeiten, &QPushButton::clicked, this, [this] {
    if (auswahl_.bearbeiten(gewaehlteZeile(lstAll), gewaehlteZeile(lstMenu))) listenAnzeigen();
  });
  connect(cmdLoeschen, &QPushButton::clicked, this, [this] { cmdLoeschen_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdAbbrechen, &QPushButton::clicked, this, &QDialog::reject);

  Initialisieren();
  Tolvek::FensterEinpassen(*this);
}

void frmGeraeteListe::Initialisieren() {
  auswahl_.Initialisieren();
  listenAnzeigen();
}

void frmGeraeteListe::cmdOK_Click() {
  auswahl_.ok();
  accept();
}

void frmGeraeteListe::cmdLoeschen_Click() {
  if (auswahl_.loeschen(gewaehlteZeile(lstAll), gewaehlteZeile(lstMenu))) listenAnzeigen();
}

void frmGeraeteListe::listenAnzeigen() {
  lstAll->clear();
  lstAll->addItems(auswahl_.listen().lstAll);
  lstMenu->clear();
  lstMenu->addItems(auswahl_.listen().lstMenu);
}

bool frmGeraeteListe::eventFilter(QObject* objekt, QEvent* ereignis) {
  // At most one list holds a selection: focusing one clears the other's.
  if (ereignis->type() == QEvent::FocusIn) {
    if (objekt == lstMenu) lstAll->clearSelection();
    if (objekt == lstAll) lstMenu->clearSelection();
  }
  return QDialog::eventFilter(objekt, ereignis);
}

void frmGeraeteListe::keyPressEvent(QKeyEvent* ereignis) {
  if (ereignis->key() == Qt::Key_F1) {
    Tolvek::HilfeAnzeigen(kHilfeGeraeteliste);
    return;
  }
  QDialog::keyPressEvent(ereignis);
}

}  // namespace pv
