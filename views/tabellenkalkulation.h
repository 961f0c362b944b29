#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "acquisition/messdaten.h"
#include "views/tabellenlogik.h"
#include "views/textexport.h"

namespace pv {

// Export of a measurement to a spreadsheet file (.xlsx): a header row
// ("Nummer", the time title, the value title) and one row per value with
// its number, time and value.

// The most values one spreadsheet export writes (plus the header row).
inline constexpr int32_t kTabellenkalkulationMaxWerte = 65535;

// The refusal when a range holds more values than a sheet export takes,
// naming the smallest step that fits; nothing when it fits.
std::optional<Ablehnung> tabellenkalkulationGrenzePruefen(const Bereich& bereich);

struct TabellenkalkulationOptionen : Exportformat {
  // The titles of the time and the value column.
  QString zeitKopf;
  QString wertKopf;
};

// One cell: a number, or a text when `zahl` is empty.
struct Tabellenzelle {
  std::optional<double> zahl;
  QString text;
  bool operator==(const Tabellenzelle&) const = default;
};

// The cells of value i as shown: the number; the time as a number when it
// is shown in seconds, minutes or hours (codes below 13), as its text for
// clock and date formats; the value as a number when the chosen decimal
// sign is the system's, otherwise as its text with the chosen sign. Numbers
// are read from the shown texts straight into double precision; a text that
// reads as no number stays text.
std::array<Tabellenzelle, 3> tabellenkalkulationZeile(const Messdaten& daten, int32_t i,
                                                      const TabellenkalkulationOptionen& optionen);

// Writes the file value by value, so the dialog can show progress and stop
// between two values. It works on its own copy of the measurement. The file
// is written when schliessen() is called (also after a cancel, with the rows
// done so far) or when the run is destroyed; it replaces an existing file
// only once it is complete on disk.
class TabellenkalkulationLauf {
 public:
  TabellenkalkulationLauf(const QString& pfad, Messdaten daten, TabellenkalkulationOptionen optionen);
  ~TabellenkalkulationLauf();
  TabellenkalkulationLauf(const TabellenkalkulationLauf&) = delete;
  TabellenkalkulationLauf& operator=(const TabellenkalkulationLauf&) = delete;

  bool fertig() const { return k_ > anzahl_; }
  int32_t k() const { return k_; }
  int32_t fortschritt() const;
  // Writes the next value's row.
  void weiter();
  // Finishes the file; false when it could not be written.
  bool schliessen();

 private:
  struct Mappe;
  std::unique_ptr<Mappe> mappe_;
  Messdaten daten_;
  TabellenkalkulationOptionen optionen_;
  int32_t anzahl_ = 0;
  int32_t k_ = 1;
};

}  // namespace pv
