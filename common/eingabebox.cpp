#include "eingabebox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QVBoxLayout>

#include "meldungen.h"
#include "tolvek.h"

namespace pv {

namespace {

// The platform's style with another character for hidden text: the text
// box then shows that character in place of each typed one, while its text,
// editing and pasting stay those of a password box.
class Passwortstil : public QProxyStyle {
 public:
  explicit Passwortstil(QChar zeichen) : zeichen_(zeichen) {}
  int styleHint(StyleHint hinweis, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* rueckgabe) const override {
    if (hinweis == SH_LineEdit_PasswordCharacter) return zeichen_.unicode();
    return QProxyStyle::styleHint(hinweis, option, widget, rueckgabe);
  }

 private:
  QChar zeichen_;
};

}  // namespace

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
  // Its first character hides what is typed; an empty one shows the text.
  if (passwortzeichen.isEmpty()) {
    txtInput_->setEchoMode(QLineEdit::Normal);
  } else {
    auto* stil = new Passwortstil(passwortzeichen.front());
    stil->setParent(txtInput_);
    txtInput_->setStyle(stil);
    txtInput_->setEchoMode(QLineEdit::Password);
  }
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
