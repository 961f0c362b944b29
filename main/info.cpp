#include "info.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include "common/allgemein.h"
#include "common/fensterplatz.h"
#include "common/hyperlink.h"
#include "main/startform.h"

namespace pv {

Infotexte infotexte(const QString& version) {
  const QStringList teile = version.split(u'.');
  const auto nummer = [&](int i) { return QString::number(i < teile.size() ? teile[i].toInt() : 0); };
  return {QStringLiteral("Pelvaron Version ") + nummer(0) + u'.' + nummer(1),
          nummer(0) + u'.' + nummer(1) + u'.' + nummer(2)};
}

frmInfo::frmInfo(const QString& version, QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(QStringLiteral("Info"));
  const Infotexte texte = infotexte(version);
  auto* g = new QGridLayout(this);

  auto* Picture1 = new QLabel;
  Picture1->setPixmap(startbild(300, devicePixelRatioF()));
  g->addWidget(Picture1, 0, 0, 1, 2, Qt::AlignHCenter);

  lblTitel = new QLabel(texte.titel);
  QFont titelSchrift(QStringLiteral("Arial"), 16, QFont::Bold);
  lblTitel->setFont(titelSchrift);
  g->addWidget(lblTitel, 1, 0, 1, 2);
  g->addWidget(new QLabel(QStringLiteral("Version: ")), 2, 0);
  lblVersion = new QLabel(texte.version);
  g->addWidget(lblVersion, 2, 1);
  lblDescription = new QLabel(QStringLiteral("Multifunktionale Messwerterfassungssoftware\r\n"
                                             "für Messgeräte mit serieller Schnittstelle"));
  g->addWidget(lblDescription, 3, 0, 1, 2);
  auto* herkunft = new QLabel(QStringLiteral("Freie Software für Linux, geschrieben mit Qt."));
  g->addWidget(herkunft, 4, 0, 1, 2);

  const auto link = [](const QString& text, const QString& ziel) {
    auto* l = new FreeLink;
    l->CaptionSetzen(text);
    l->HyperLinkSetzen(ziel);
    l->MousePointerSetzen(Qt::PointingHandCursor);
    return l;
  };
  g->addWidget(new QLabel(QStringLiteral("Internet:")), 5, 0);
  FreeLinkInternet = link(Tolvek::kWebseite, QStringLiteral("https://") + Tolvek::kWebseite);
  g->addWidget(FreeLinkInternet, 5, 1);
  g->addWidget(new QLabel(QStringLiteral("Email:")), 6, 0);
  FreeLinkMail = link(Tolvek::kSupportEmail, QStringLiteral("mailto:") + Tolvek::kSupportEmail);
  g->addWidget(FreeLinkMail, 6, 1);

  cmdOK = new QPushButton(QStringLiteral("OK"));
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  g->addWidget(cmdOK, 7, 0, 1, 2, Qt::AlignRight);
  g->setColumnStretch(1, 1);
  setFixedSize(sizeHint());
  Tolvek::FensterEinpassen(*this);
}

}  // namespace pv
