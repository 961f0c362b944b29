#include "eingabebox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "meldungen.h"
#include "tolvek.h"

namespace pv {

EingabeFenster::EingabeFenster(QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(QStringLiteral("Eingabe"));
  lblInput_ = new QLabel(this);
  txtInput_ = new QLineEdit(this);
  txtInput_->setMinimumWidth(273);  // 4095 twips
  auto* abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  ok->setAutoDefault(true);
  abbrechen->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);

  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(abbrechen);
  knoepfe->addWidget(ok);
  knoepfe->addStretch();
  auto* spalte = new QVBoxLayout(this);
  spalte->addWidget(lblInput_);
  spalte->addWidget(txtInput_);
  spalte->addLayout(knoepfe);
  // The prompt sets the height; the width stays.
  spalte->setSizeConstraint(QLayout::SetFixedSize);
}

void EingabeFenster::vorbereiten(const QString& aufforderung, const QString& titel,
                                 const QString& vorgabe, const QString& passwortzeichen) {
  QString prompt = aufforderung;
  prompt.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lblInput_->setText(prompt);
  setWindowTitle(titel.isEmpty() ? kAnwendungstitel : titel);
  txtInput_->setText(vorgabe);
  txtInput_->selectAll();
  txtInput_->setEchoMode(passwortzeichen.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
  txtInput_->setFocus();
}

QString EingabeFenster::text() const { return txtInput_->text(); }

QString DialogEingaben::fragen(const QString& aufforderung, const QString& titel,
                               const QString& vorgabe, const QString& passwortzeichen) {
  EingabeFenster fenster(QApplication::activeWindow());
  fenster.vorbereiten(aufforderung, titel, vorgabe, passwortzeichen);
  fenster.exec();
  return fenster.Abbruch() ? QString() : fenster.text();
}

QString EingabeDialog(const QString& aufforderung, const QString& titel, const QString& vorgabe,
                      const QString& passwortzeichen) {
  if (aufforderung.isEmpty()) return {};
  return Tolvek::eingaben().fragen(aufforderung, titel, vorgabe, passwortzeichen);
}

}  // namespace pv
