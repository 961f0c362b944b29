#include "tabellenmodell.h"

#include <QApplication>
#include <QPalette>

#include "common/zahlenformat.h"

namespace pv {

Tabellenzeile tabellenzeile(const Messdaten& daten, int32_t i, const Tabellenformat& f) {
  const auto k = static_cast<std::size_t>(i);
  return {QString::number(i),
          Tolvek::zahlFormatieren(daten.x[k], f.xCode, f.xNachkommastellen, f.dezimaltrennzeichen, f.messStart).text,
          Tolvek::zahlFormatieren(daten.y[k], f.yCode, f.yNachkommastellen, f.dezimaltrennzeichen, f.messStart).text};
}

std::vector<Tabellenzeile> tabellenzeilen(const Messdaten& daten, const Bereich& bereich,
                                          const Tabellenformat& format) {
  std::vector<Tabellenzeile> zeilen;
  const int32_t n = bereich.anzahl();
  zeilen.reserve(static_cast<std::size_t>(n));
  for (int32_t r = 0; r < n; ++r) zeilen.push_back(tabellenzeile(daten, bereich.nummer(r), format));
  return zeilen;
}

bool zeilenGehoerenZu(const Tabellenmodell& modell, const Messdaten& daten, const Tabellenformat& format) {
  for (int32_t r = 0; r < modell.zeilen(); ++r) {
    const Tabellenzeile& z = modell.zeile(r);
    bool zahl = false;
    const int32_t i = z.nummer.toInt(&zahl);
    if (!zahl || i < 1 || i > daten.m) return false;
    const Tabellenzeile soll = tabellenzeile(daten, i, format);
    if (z.zeit != soll.zeit || z.wert != soll.wert) return false;
  }
  return true;
}

Tabellenmodell::Tabellenmodell(QObject* parent) : QAbstractTableModel(parent) {}

int Tabellenmodell::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(zeilen_.size());
}

int Tabellenmodell::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant Tabellenmodell::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return zelle(index.row() + 1, index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
      // The number column is fixed, like the header above it.
      if (index.column() == 0) return QApplication::palette().brush(QPalette::Button);
      return {};
    default:
      return {};
  }
}

QVariant Tabellenmodell::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section > 2) return {};
  if (role == Qt::DisplayRole) return kopf_.value(section);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  return {};
}

Qt::ItemFlags Tabellenmodell::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (index.column() == 0) return Qt::ItemIsEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void Tabellenmodell::kopfSetzen(const QStringList& kopf) {
  kopf_ = kopf;
  while (kopf_.size() < 3) kopf_.append(QString());
  emit headerDataChanged(Qt::Horizontal, 0, 2);
}

void Tabellenmodell::zeilenSetzen(std::vector<Tabellenzeile> zeilen) {
  beginResetModel();
  zeilen_ = std::move(zeilen);
  endResetModel();
}

void Tabellenmodell::zeileAnhaengen(Tabellenzeile zeile) {
  const int r = rowCount();
  beginInsertRows(QModelIndex(), r, r);
  zeilen_.push_back(std::move(zeile));
  endInsertRows();
}

void Tabellenmodell::zelleSetzen(int32_t zeile, int spalte, const QString& text) {
  if (spalte < 0 || spalte > 2 || zeile < 0 || zeile > zeilen()) return;
  if (zeile == 0) {
    kopf_[spalte] = text;
    emit headerDataChanged(Qt::Horizontal, spalte, spalte);
    return;
  }
  Tabellenzeile& z = zeilen_[static_cast<std::size_t>(zeile - 1)];
  (spalte == 0 ? z.nummer : spalte == 1 ? z.zeit : z.wert) = text;
  const QModelIndex i = index(zeile - 1, spalte);
  emit dataChanged(i, i, {Qt::DisplayRole});
}

void Tabellenmodell::leeren() {
  beginResetModel();
  zeilen_.clear();
  zeilen_.shrink_to_fit();
  endResetModel();
}

QString Tabellenmodell::zelle(int32_t zeile, int spalte) const {
  if (spalte < 0 || spalte > 2) return {};
  if (zeile == 0) return kopf_.value(spalte);
  if (zeile < 1 || zeile > zeilen()) return {};
  const Tabellenzeile& z = zeilen_[static_cast<std::size_t>(zeile - 1)];
  switch (spalte) {
    case 0: return z.nummer;
    case 1: return z.zeit;
    default: return z.wert;
  }
}

}  // namespace pv
