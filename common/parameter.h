#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Access to single values of key=value lines (settings file, device files).
namespace Tolvek {

// The value of the key in `text` or, when `text` is empty, in the whole
// file `datei` (Windows-1252). A key counts only at the very start of a line
// (after LF, or at the start of a given text), compared exactly; the first
// match wins. The value runs up to CR, LF or the end of the text. Returns ""
// for a missing key or an empty value, "ERR" when the file cannot be read.
QString ParameterLesen(const QString& text, const QString& datei, const QString& schluessel);

// The value of the key in `text` by the same rule; no value when no line of
// the text holds the key, an empty one for a line with nothing after "=".
std::optional<QString> ParameterFinden(const QString& text, const QString& schluessel);

// Replaces the value of the key's first line in a file's text (a key on the
// header line does not count) and returns true; false when the key is missing.
bool ParameterErsetzen(QString& text, const QString& schluessel, const QString& wert);

// Status codes of ParameterSchreiben.
enum : int16_t {
  kParameterGeschrieben = 0,
  kParameterFehlt = 1,
  kParameterDateiFehlt = 2,
  kParameterFehler = 3,
};

// Replaces the value of the first line of `schluessel` in the file and
// rewrites the file atomically; every other byte stays as it was, and the
// rewritten file ends with CR CR LF. A value holding CR or LF, or a character
// Windows-1252 cannot store, is refused (3).
int16_t ParameterSchreiben(const QString& datei, const QString& schluessel, const QString& wert);

}  // namespace Tolvek
