#include "dateinamedialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "common/programmordner.h"
#include "common/tolvek.h"
#include "devices/geraeteeditor.h"
#include "devices/geraetetabelle.h"

namespace pv {

frmtqFileDlg::frmtqFileDlg(const QString& ordner, QWidget* parent)
    : QDialog(parent), Ordner(ordner.isEmpty() ? Programmordner::pfad() : ordner) {
  setWindowTitle(QStringLiteral("Dateiname ..."));
  setModal(true);
  lstDateiNamen = new QListWidget(this);
  lstDateiNamen->addItems(geraetedateienIn(Ordner));
  txtDateiName = new QLineEdit(this);
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdCancel = new QPushButton(QStringLiteral("Abbrechen"), this);
  cmdOK->setDefault(true);

  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(QStringLiteral("Bereits vorhandene Dateinamen:"), this), 0, 0, 1, 2);
  g->addWidget(lstDateiNamen, 1, 0, 1, 2);
  g->addWidget(new QLabel(QStringLiteral("Datei:"), this), 2, 0);
  g->addWidget(txtDateiName, 2, 1);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  knoepfe->addWidget(cmdOK);
  knoepfe->addWidget(cmdCancel);
  g->addLayout(knoepfe, 3, 0, 1, 2);

  connect(lstDateiNamen, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* eintrag) { txtDateiName->setText(eintrag->text()); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmtqFileDlg::cmdOK_Click() {
  const auto datei = dateinameAnnehmen(txtDateiName->text(), Ordner, Tolvek::meldungen());
  if (!datei) {
    txtDateiName->setFocus();
    return;
  }
  Datei = *datei;
  accept();
}

void frmtqFileDlg::cmdCancel_Click() {
  Datei.clear();
  reject();
}

QString dateinameFuerGeraet(const QString& ordner, const QString& vorschlag, QWidget* parent) {
  frmtqFileDlg dialog(ordner, parent);
  dialog.txtDateiName->setText(vorschlag);
  dialog.exec();
  return dialog.result() == QDialog::Accepted ? dialog.Datei : QString();
}

}  // namespace pv
