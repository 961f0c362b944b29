#pragma once

#include <QAbstractTableModel>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "acquisition/messdaten.h"
#include "views/tabellenlogik.h"

namespace pv {

// The number formats a table row is written with, and what they need.
struct Tabellenformat {
  int16_t xCode = 10;
  int16_t xNachkommastellen = 0;
  int16_t yCode = 0;
  int16_t yNachkommastellen = 0;
  QChar dezimaltrennzeichen = u',';
  QDateTime messStart;  // code 16 counts from it
};

// One listed value as the table shows it: its number and the two texts,
// formatted when the row was written (the table keeps what it showed, also
// when the formats change later).
struct Tabellenzeile {
  QString nummer;
  QString zeit;
  QString wert;
};

// The rows of value i of the measurement, formatted.
Tabellenzeile tabellenzeile(const Messdaten& daten, int32_t i, const Tabellenformat& format);
// The rows of a checked range.
std::vector<Tabellenzeile> tabellenzeilen(const Messdaten& daten, const Bereich& bereich,
                                          const Tabellenformat& format);

class Tabellenmodell;
// Whether every row of the grid shows the value its number names in `daten`
// as `format` writes it; rows left from another measurement do not.
bool zeilenGehoerenZu(const Tabellenmodell& modell, const Messdaten& daten, const Tabellenformat& format);

// The table window's grid: three centred columns (number, time, value) under
// a header row. Column 0 is the fixed number column: shown like a header,
// never selected. Rows are plain texts in one vector, so the view draws only
// what is visible and appending stays cheap however long a recording runs.
//
// zelle() addresses the cells as a grid with the header as row 0 and the
// values from row 1, which is how copying reads the table back.
class Tabellenmodell : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit Tabellenmodell(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The header row's three texts.
  void kopfSetzen(const QStringList& kopf);
  const QStringList& kopf() const { return kopf_; }
  // Replaces all rows.
  void zeilenSetzen(std::vector<Tabellenzeile> zeilen);
  // Appends one row at the end.
  void zeileAnhaengen(Tabellenzeile zeile);
  // Sets the text of grid cell (row, column); row 0 is the header. Cells
  // outside the grid are left alone.
  void zelleSetzen(int32_t zeile, int spalte, const QString& text);
  // Back to the header row alone.
  void leeren();

  // Data rows (without the header).
  int32_t zeilen() const { return static_cast<int32_t>(zeilen_.size()); }
  const Tabellenzeile& zeile(int32_t r) const { return zeilen_[static_cast<std::size_t>(r)]; }
  // Grid rows including the header row 0.
  int32_t gitterZeilen() const { return zeilen() + 1; }
  // The text of grid cell (row, column); row 0 is the header.
  QString zelle(int32_t zeile, int spalte) const;

 private:
  QStringList kopf_{QStringLiteral("Nr."), QString(), QString()};
  std::vector<Tabellenzeile> zeilen_;
};

}  // namespace pv
