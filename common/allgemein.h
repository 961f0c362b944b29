#pragma once

#include <QRect>
#include <QString>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

// Small procedures that many windows share: help, opening a file with its
// program, waiting with event processing, the task bar and the work area,
// searching an ordered array, the larger and smaller of two numbers and the
// state of keys and mouse buttons.
namespace Tolvek {

// The product's web site and support address named when no help file exists.
extern const QString kWebseite;
extern const QString kSupportEmail;

// Shows the help file (zustand().Hilfedatei) with the system's viewer. The
// viewer cannot jump to a topic, so the context number only matters to the
// caller. Without a help file it says where to get one. Failures are ignored.
void HilfeAnzeigen(int16_t kontext);
// The message shown when there is no help file.
QString KeineHilfedateiText();

// Results of DateiOeffnen, as the shell reports them.
inline constexpr int32_t kDateiGeoeffnet = 0;
inline constexpr int32_t kDateiNichtGefunden = 2;
inline constexpr int32_t kPfadNichtGefunden = 3;
inline constexpr int32_t kDateiNichtZugeordnet = 31;

// Opens a file with the program the desktop associates with it. A missing
// file or folder, or a file no program takes, is reported in a message box
// (information icon, title "Fehler"). Returns one of the results above.
int32_t DateiOeffnen(const QString& datei);
// Hands an existing file to the program the desktop associates with it,
// without a message; false when that could not be done.
bool DateiStarten(const QString& datei);
// Decides the result from the path and whether opening it succeeded: a
// missing folder gives kPfadNichtGefunden, a missing file
// kDateiNichtGefunden, an existing one that did not open
// kDateiNichtZugeordnet.
int32_t DateiOeffnenErgebnis(const QString& datei, bool geoeffnet);
// The message for a result; empty when there is nothing to say.
QString DateiOeffnenMeldung(int32_t ergebnis);

// Waits the given time while events are processed (timers, serial data,
// clicks), so event handlers can run meanwhile; callers that must not be
// entered again guard themselves. Measured on a monotonic clock: changes of
// the wall clock and midnight do not shorten the wait. The thread sleeps in
// the event loop rather than spinning. A time of 0 or less (or not a number)
// returns at once without processing events.
void Warten(float ms);

// One value of the task bar's position, from its rectangle in screen pixels
// (an empty rectangle: no task bar). The keyword is trimmed and taken in any
// case: "TOP", "LEFT", "HEIGHT", "WIDTH", or "ALIGN" for the side it sits on
// (1 left, 2 right, 3 top, 4 bottom, 0 unknown or none). An empty or unknown
// keyword gives 0.
int32_t TaskleisteAbfragen(const QString& keyword, const QRect& taskleiste);
// The same for the primary screen's task bar.
int32_t TaskleisteAbfragen(const QString& keyword);
// The task bar (panel) of a screen: the strip of its geometry that its
// available geometry leaves out, relative to the screen's top left corner.
// With panels on several sides the bottom one counts first, then top, left,
// right. Empty when the whole screen is available.
QRect TaskleisteAusBildschirm(const QRect& geometrie, const QRect& verfuegbar);

// Sets zustand().Arbeitsbereich to the primary screen's available geometry:
// the part of the screen that task bars and panels leave free, in pixels
// (x = left, y = top). Without a screen it stays as it is.
void ArbeitsbereichErmitteln();

// Searches the 1-based array a (element 0 is never looked at) in index order
// and stops at the first hit. richtung "<" means ascending, anything else
// descending.
//  - vergleich "=": the first i with a[i] == v; nothing when there is none.
//  - vergleich "<": the first i with a[i] >= v (descending: a[i] <= v);
//    1 when there is none.
//  - vergleich ">": at the first i with a[i] > v (descending: a[i] < v) the
//    result is i - 1, at a[i] == v it is i; n when there is none. The result
//    is 0 when the first element already lies beyond v.
//  - any other vergleich: nothing.
// "<" and ">" with an ascending time array find the first and the last point
// inside an x range. An empty array (no element 0 either) throws
// pv::Laufzeitfehler 9.
std::optional<int32_t> IndexSuchen(const std::vector<float>& a, float v, const QString& vergleich,
                                   const QString& richtung);

// The larger of two numbers as float: the first when the second is smaller,
// else the second. An argument that is not a number gives the other one.
template <typename A, typename B>
float Maximum(A a, B b) {
  const double x = static_cast<double>(a);
  const double y = static_cast<double>(b);
  if (std::isnan(x)) return static_cast<float>(y);
  if (std::isnan(y)) return static_cast<float>(x);
  return static_cast<float>(y < x ? x : y);
}

// The smaller of two numbers as float: the second when it is smaller than or
// equal to the first, else the first. An argument that is not a number gives
// the other one.
template <typename A, typename B>
float Minimum(A a, B b) {
  const double x = static_cast<double>(a);
  const double y = static_cast<double>(b);
  if (std::isnan(x)) return static_cast<float>(y);
  if (std::isnan(y)) return static_cast<float>(x);
  return static_cast<float>(y <= x ? y : x);
}

// Virtual-key codes TasteGedrueckt knows.
inline constexpr int32_t kTasteMausLinks = 1;
inline constexpr int32_t kTasteMausRechts = 2;
inline constexpr int32_t kTasteMausMitte = 4;
inline constexpr int32_t kTasteUmschalt = 16;
inline constexpr int32_t kTasteStrg = 17;
inline constexpr int32_t kTasteAlt = 18;

// True when the key is down at this moment: the mouse buttons 1 (primary),
// 2 (secondary) and 4 (middle), Shift 16, Control 17 and Alt 18. Other keys
// give false.
bool TasteGedrueckt(int32_t vk);

// Whether a process with this id runs on this computer (one of another
// user's included). Ids of 0 and below name none.
bool ProzessLaeuft(int64_t pid);

}  // namespace Tolvek
