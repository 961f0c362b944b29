#include "allgemein.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <climits>
#include <limits>
#include <thread>

#include <signal.h>

#include <cerrno>

#include "fehlerbehandlung.h"
#include "laufzeitfehler.h"
#include "meldungen.h"
#include "tolvek.h"

namespace Tolvek {

const QString kWebseite = QStringLiteral("www.pelvaron.example");
const QString kSupportEmail = QStringLiteral("support@pelvaron.example");

// ---------------------------------------------------------------- help

QString KeineHilfedateiText() {
  return QStringList{
      QStringLiteral("Es wurde keine Hilfedatei gefunden!"),
      QStringLiteral("Laden Sie bitte eine Datei von der Pelvaron-Hompage unter"),
      QStringLiteral("   ") + kWebseite + QStringLiteral(" "),
      QStringLiteral("herunter oder wenden Sie sich per E-Mail an den Autor unter"),
      QStringLiteral("   ") + kSupportEmail,
  }.join(QStringLiteral("\r\n"));
}

void HilfeAnzeigen(int16_t /*kontext*/) {
  try {
    const QString hilfedatei = zustand().Hilfedatei;
    if (hilfedatei.isEmpty()) {
      meldungen().hinweis(KeineHilfedateiText());
      return;
    }
    // A missing or damaged help file gives no message of its own.
    QDesktopServices::openUrl(QUrl::fromLocalFile(hilfedatei));
  } catch (...) {
  }
}

// ---------------------------------------------------------------- opening files

int32_t DateiOeffnenErgebnis(const QString& datei, bool geoeffnet) {
  if (geoeffnet) return kDateiGeoeffnet;
  if (datei.isEmpty()) return kDateiNichtGefunden;
  const QFileInfo info(datei);
  if (!QFileInfo(info.absolutePath()).isDir()) return kPfadNichtGefunden;
  if (!info.exists()) return kDateiNichtGefunden;
  return kDateiNichtZugeordnet;
}

QString DateiOeffnenMeldung(int32_t ergebnis) {
  switch (ergebnis) {
    case kDateiNichtGefunden: return QStringLiteral("Datei wurde nicht gefunden");
    case kPfadNichtGefunden: return QStringLiteral("Pfad wurde nicht gefunden");
    case kDateiNichtZugeordnet: return QStringLiteral("Datei ist nicht Assizoiert");
    default: return {};
  }
}

bool DateiStarten(const QString& datei) {
  // The desktop launcher reports success for a file that is not there (it
  // only starts a helper), so a missing file is not handed to it at all.
  return !datei.isEmpty() && QFileInfo::exists(datei) &&
         QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(datei).absoluteFilePath()));
}

int32_t DateiOeffnen(const QString& datei) {
  const int32_t ergebnis = DateiOeffnenErgebnis(datei, DateiStarten(datei));
  const QString meldung = DateiOeffnenMeldung(ergebnis);
  if (!meldung.isEmpty()) {
    meldungen().hinweis(meldung, pv::Symbol::Information, QStringLiteral("Fehler"));
  }
  return ergebnis;
}

// ---------------------------------------------------------------- waiting

void Warten(float ms) {
  try {
    if (!(ms > 0.0f)) return;
    // More than some centuries cannot be told apart from "forever" here and
    // would overflow the deadline.
    constexpr double kHoechstens = 1e12;
    const double dauer = std::min(static_cast<double>(ms), kHoechstens);
    const QDeadlineTimer ende(
        std::chrono::nanoseconds(static_cast<int64_t>(std::ceil(dauer * 1e6))), Qt::PreciseTimer);

    if (!QCoreApplication::instance()) {
      std::this_thread::sleep_for(std::chrono::nanoseconds(ende.remainingTimeNSecs()));
      return;
    }
    while (!ende.hasExpired()) {
      // A local loop that a precise timer ends: the thread sleeps until an
      // event or the timer comes. Timers round to whole milliseconds, so the
      // loop runs again for any rest.
      const int64_t restNs = ende.remainingTimeNSecs();
      const int64_t restMs = std::min<int64_t>((restNs + 999'999) / 1'000'000, INT_MAX);
      QEventLoop schleife;
      QTimer wecker;
      wecker.setSingleShot(true);
      wecker.setTimerType(Qt::PreciseTimer);
      QObject::connect(&wecker, &QTimer::timeout, &schleife, &QEventLoop::quit);
      wecker.start(static_cast<int>(std::max<int64_t>(restMs, 1)));
      // The application is quitting: every further loop would return at
      // once, so stop waiting rather than spin.
      if (schleife.exec() != 0) return;
    }
  } catch (const std::exception& e) {
    Fehlerbehandlung(QStringLiteral("Warten"), e);
  } catch (...) {
    Fehlerbehandlung(QStringLiteral("Warten"), pv::Laufzeitfehler::kInternerFehler,
                     QStringLiteral("Interner Fehler"));
  }
}

// ---------------------------------------------------------------- task bar and work area

int32_t TaskleisteAbfragen(const QString& keyword, const QRect& taskleiste) {
  const QString wort = keyword.trimmed().toUpper();
  if (wort.isEmpty()) return 0;
  // Edges as the window system gives them: right and bottom lie one past the
  // last pixel; an empty rectangle is all 0.
  const int32_t oben = taskleiste.isEmpty() ? 0 : taskleiste.y();
  const int32_t links = taskleiste.isEmpty() ? 0 : taskleiste.x();
  const int32_t rechts = taskleiste.isEmpty() ? 0 : taskleiste.x() + taskleiste.width();
  const int32_t unten = taskleiste.isEmpty() ? 0 : taskleiste.y() + taskleiste.height();

  if (wort == u"TOP") return oben;
  if (wort == u"LEFT") return links;
  if (wort == u"HEIGHT") return unten - oben;
  if (wort == u"WIDTH") return rechts - links;
  if (wort == u"ALIGN") {
    if (oben < 1 && links < 1) {
      if (rechts < unten) return 1;  // a column at the left edge
      if (unten < rechts) return 3;  // a row at the top edge
      return 0;
    }
    if (oben < 1 && links > 0) return 2;
    if (links < 1 && oben > 0) return 4;
    return 0;
  }
  return 0;
}

QRect TaskleisteAusBildschirm(const QRect& geometrie, const QRect& verfuegbar) {
  if (geometrie.isEmpty() || verfuegbar.isEmpty()) return {};
  const QRect frei = verfuegbar.translated(-geometrie.topLeft()).intersected(
      QRect(QPoint(0, 0), geometrie.size()));
  const int breite = geometrie.width();
  const int hoehe = geometrie.height();
  const int freiRechts = frei.x() + frei.width();
  const int freiUnten = frei.y() + frei.height();
  if (freiUnten < hoehe) return QRect(0, freiUnten, breite, hoehe - freiUnten);
  if (frei.y() > 0) return QRect(0, 0, breite, frei.y());
  if (frei.x() > 0) return QRect(0, 0, frei.x(), hoehe);
  if (freiRechts < breite) return QRect(freiRechts, 0, breite - freiRechts, hoehe);
  return {};
}

int32_t TaskleisteAbfragen(const QString& keyword) {
  const QScreen* bildschirm = QGuiApplication::primaryScreen();
  if (!bildschirm) return TaskleisteAbfragen(keyword, QRect());
  return TaskleisteAbfragen(
      keyword, TaskleisteAusBildschirm(bildschirm->geometry(), bildschirm->availableGeometry()));
}

void ArbeitsbereichErmitteln() {
  // The window system knows the free area of the primary screen, panels on
  // any side included; deriving it from one task bar would miss the others.
  if (const QScreen* bildschirm = QGuiApplication::primaryScreen()) {
    zustand().Arbeitsbereich = bildschirm->availableGeometry();
  }
}

// ---------------------------------------------------------------- searching

std::optional<int32_t> IndexSuchen(const std::vector<float>& a, float v, const QString& vergleich,
                                   const QString& richtung) {
  if (a.empty()) {
    throw pv::Laufzeitfehler::indexAusserhalb();
  }
  const int32_t n = static_cast<int32_t>(a.size()) - 1;
  const bool aufsteigend = richtung == u"<";

  if (vergleich == u"=") {
    for (int32_t i = 1; i <= n; ++i) {
      if (a[i] == v) return i;
    }
    return std::nullopt;
  }
  if (vergleich == u"<") {
    for (int32_t i = 1; i <= n; ++i) {
      if (aufsteigend ? a[i] >= v : a[i] <= v) return i;
    }
    return 1;
  }
  if (vergleich == u">") {
    for (int32_t i = 1; i <= n; ++i) {
      if (aufsteigend ? a[i] > v : a[i] < v) return i - 1;
      if (a[i] == v) return i;
    }
    return n;
  }
  return std::nullopt;
}

// ---------------------------------------------------------------- keys and mouse

bool TasteGedrueckt(int32_t vk) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
  switch (vk) {
    case kTasteMausLinks: return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
    case kTasteMausRechts: return QGuiApplication::mouseButtons().testFlag(Qt::RightButton);
    case kTasteMausMitte: return QGuiApplication::mouseButtons().testFlag(Qt::MiddleButton);
    case kTasteUmschalt:
      return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    case kTasteStrg:
      return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
    case kTasteAlt: return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
    default: return false;
  }
}

bool ProzessLaeuft(int64_t pid) {
  if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace Tolvek
