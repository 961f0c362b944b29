#pragma once

#include <QString>
#include <cstdint>
#include <exception>

namespace pv {
class Laufzeitfehler;

// Runs one step of a procedure whose run-time failures are passed over: the
// procedure goes on with its next step.
template <typename F>
void uebergehen(F&& schritt) noexcept {
  try {
    schritt();
  } catch (...) {
  }
}
}  // namespace pv

namespace Tolvek {

// The one place where the program reports a run-time error that the failing
// procedure does not deal with itself. Callers catch the error and hand it
// over with a fixed label naming the failing procedure ("Form1 ->
// ProgrammBeenden", "Warten"); the label is used as plain text.
//
// For every error (number not 0) the handler
//  - appends one line to "ErrLog.txt" in the program folder (Windows-1252,
//    CR LF; a failed write is lost silently),
//  - shows the error in a message box (OK only, no icon, application title),
//  - counts it in zustand().Fehlerzaehler and, once more than 20 errors were
//    counted, asks whether to end the program: No starts the count again,
//    Yes calls the main window's exit procedure. When that declines (a
//    recording still runs, an unsaved measurement is kept) the program ends
//    at once all the same (Hauptfenster::SofortBeenden), without writing the
//    settings.
// Only one of the handler's boxes is open at a time: an error that comes in
// while a box is open (events run inside it) or while the exit procedure it
// called is running, is logged and counted without a box of its own. The
// counter never exceeds 21.
// The handler never throws.
void Fehlerbehandlung(const QString& label, int32_t nummer, const QString& text) noexcept;
void Fehlerbehandlung(const QString& label, const pv::Laufzeitfehler& fehler) noexcept;
// A program run-time error (pv::Laufzeitfehler) keeps its number; any other
// exception is reported as number 51 with its what() text.
void Fehlerbehandlung(const QString& label, const std::exception& fehler) noexcept;

// Only the log line of an error the caller reports with a message of its
// own: no box, not counted. Never throws.
void FehlerProtokollieren(const QString& label, int32_t nummer, const QString& text) noexcept;

// The address users send error reports to.
extern const QString kFehlerEmail;

// The texts of the handler, without side effects.
QString FehlermeldungText(const QString& label, int32_t nummer, const QString& text);
// One log line without its line end; datum and zeit already formatted.
QString FehlerLogZeile(const QString& datum, const QString& zeit, const QString& label,
                       int32_t nummer, const QString& text);
QString FehlerFrageText();

// A time format with its time-zone fields ("t", "tt", ...) taken out: the
// log shows the clock time as the system writes it, without the zone that
// some systems' long time format appends.
QString ZeitformatOhneZone(const QString& format);

}  // namespace Tolvek
