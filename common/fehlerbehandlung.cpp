#include "fehlerbehandlung.h"

#include <QDate>
#include <QLocale>
#include <QStringList>
#include <QTime>

#include "hauptfenster.h"
#include "laufzeitfehler.h"
#include "meldungen.h"
#include "programmordner.h"
#include "textdatei.h"
#include "tolvek.h"

namespace Tolvek {

const QString kFehlerEmail = QStringLiteral("fehler@pelvaron.example");

namespace {

constexpr int16_t kFehlerGrenze = 20;

// Sets the "a box of the handler is open" flag for as long as it lives.
class BoxOffen {
 public:
  BoxOffen() { zustand().FehlermeldungOffen = true; }
  ~BoxOffen() { zustand().FehlermeldungOffen = false; }
  BoxOffen(const BoxOffen&) = delete;
  BoxOffen& operator=(const BoxOffen&) = delete;
};

void zaehlen() noexcept {
  int16_t& zaehler = zustand().Fehlerzaehler;
  if (zaehler <= kFehlerGrenze) ++zaehler;
}

}  // namespace

void FehlerProtokollieren(const QString& label, int32_t nummer, const QString& text) noexcept {
  try {
    const QLocale system = QLocale::system();
    const QString datum = system.toString(QDate::currentDate(), QLocale::ShortFormat);
    const QString zeit = QTime::currentTime().toString(
        ZeitformatOhneZone(system.timeFormat(QLocale::LongFormat)));
    const QString zeile = FehlerLogZeile(datum, zeit, label, nummer, text);
    // A log that cannot be written (read-only folder, full disk, locked
    // file) loses the line; the error is still shown and counted.
    pv::dateiAnhaengen(pv::Programmordner::datei(QStringLiteral("ErrLog.txt")),
                       pv::CrLfText().zeile(zeile).bytes(), pv::Verweise::NurEigene);
  } catch (...) {
  }
}

QString FehlermeldungText(const QString& label, int32_t nummer, const QString& text) {
  return QStringLiteral("In der Prozedur '") + label +
         QStringLiteral("' ist folgender Fehler aufgetreten:") + QStringLiteral("\r\n") +
         QStringLiteral("Fehler ") + QString::number(nummer) + QStringLiteral(": ") + text;
}

QString FehlerLogZeile(const QString& datum, const QString& zeit, const QString& label,
                       int32_t nummer, const QString& text) {
  return datum + QStringLiteral(", ") + zeit + QStringLiteral("; Prozedur '") + label +
         QStringLiteral("': Fehler ") + QString::number(nummer) + QStringLiteral(": ") + text;
}

QString FehlerFrageText() {
  const QStringList zeilen = {
      QStringLiteral("Das Programm hatte inzwischen mehr als 20 Fehler."),
      QStringLiteral("Teilen Sie dies bitte dem Autor per E-Mail an "),
      kFehlerEmail,
      QStringLiteral("unter Angabe der Fehler mit."),
      // The program folder is hidden: its path, not its name.
      QStringLiteral("Fügen Sie, wenn möglich, die Datei"),
      u'\'' + pv::Programmordner::datei(QStringLiteral("ErrLog.txt")) + QStringLiteral("' hinzu."),
      QString(),
      QStringLiteral("Falls das Programm im Moment 'hängt' können Sie es jetzt beenden!"),
      QStringLiteral("Möchten Sie das Programm jetzt beenden?"),
      QStringLiteral("(Achtung, nichtgepeicherte Daten gehen dadurch verloren!)"),
  };
  return zeilen.join(QStringLiteral("\r\n"));
}

QString ZeitformatOhneZone(const QString& format) {
  QString ohne;
  bool inText = false;  // inside a quoted literal
  for (const QChar c : format) {
    if (c == u'\'') inText = !inText;
    if (!inText && c == u't') continue;
    ohne += c;
  }
  return ohne.simplified();
}

void Fehlerbehandlung(const QString& label, int32_t nummer, const QString& text) noexcept {
  if (nummer == 0) return;

  // The line goes to the log first, so that it is kept in the order the
  // errors happened even when further errors come in while the box is open.
  FehlerProtokollieren(label, nummer, text);

  Zustand& z = zustand();
  if (z.FehlermeldungOffen) {
    // Re-entered from events processed while one of our boxes is open, or
    // from the exit procedure we called: a second stacked box would only
    // bury the first, so this one is logged and counted only.
    zaehlen();
    return;
  }

  try {
    BoxOffen offen;
    try {
      meldungen().hinweis(FehlermeldungText(label, nummer, text), pv::Symbol::Keins,
                          pv::kAnwendungstitel);
    } catch (...) {
    }
    zaehlen();
    if (z.Fehlerzaehler <= kFehlerGrenze) return;

    const pv::Antwort antwort = meldungen().zeigen(FehlerFrageText(), pv::kAnwendungstitel,
                                                   pv::Knoepfe::JaNein, pv::Symbol::Keins,
                                                   pv::Antwort::Nein);
    if (antwort == pv::Antwort::Ja) {
      // The exit procedure may decline and return (a recording still runs,
      // the user keeps an unsaved measurement); the program ends all the
      // same, as the question said, with the values kept in the safety file.
      // Errors of the exit meanwhile are logged without a box, so they
      // cannot bring up this question again from inside it.
      if (z.hauptfenster) {
        z.hauptfenster->ProgrammBeenden();
        z.hauptfenster->SofortBeenden();
      }
    } else {
      z.Fehlerzaehler = 0;
    }
  } catch (...) {
  }
}

void Fehlerbehandlung(const QString& label, const pv::Laufzeitfehler& fehler) noexcept {
  Fehlerbehandlung(label, fehler.nummer(), fehler.text());
}

void Fehlerbehandlung(const QString& label, const std::exception& fehler) noexcept {
  if (const auto* laufzeit = dynamic_cast<const pv::Laufzeitfehler*>(&fehler)) {
    Fehlerbehandlung(label, *laufzeit);
    return;
  }
  QString text;
  try {
    text = QString::fromUtf8(fehler.what());
  } catch (...) {
  }
  if (text.isEmpty()) text = QStringLiteral("Interner Fehler");
  Fehlerbehandlung(label, pv::Laufzeitfehler::kInternerFehler, text);
}

}  // namespace Tolvek
