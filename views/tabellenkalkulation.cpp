#include "tabellenkalkulation.h"

#include <QFile>
#include <xlsxwriter.h>

#include "common/textdatei.h"
#include "common/zahlen.h"
#include "common/zahlenformat.h"
#include "views/textexport.h"

namespace pv {

std::optional<Ablehnung> tabellenkalkulationGrenzePruefen(const Bereich& b) {
  const double spanne = static_cast<double>(b.bis) - b.von;
  if (spanne / std::max<int32_t>(b.schritt, 1) <= kTabellenkalkulationMaxWerte - 1) return std::nullopt;
  const auto mindestens = static_cast<int64_t>(rundeHalbGerade(spanne / (kTabellenkalkulationMaxWerte - 1))) + 1;
  return Ablehnung{QStringLiteral("Es können maximal 65535 Messwerte exportiert werden.\r\n"
                                  "Setzen Sie dazu die Schrittweite mindestens auf %1")
                       .arg(mindestens),
                   Eingabefeld::Schritt};
}

namespace {

Tabellenzelle zahlOderText(const QString& text, QChar dezimal) {
  return {zahlLesen(text, dezimal), text};
}

// rw for everyone, less the umask: what a program's new file gets.
constexpr QFileDevice::Permissions kNeueDatei = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ReadOther | QFileDevice::WriteOther;

}  // namespace

std::array<Tabellenzelle, 3> tabellenkalkulationZeile(const Messdaten& d, int32_t i,
                                                      const TabellenkalkulationOptionen& o) {
  const auto k = static_cast<std::size_t>(i);
  const QString zeit =
      Tolvek::zahlFormatieren(d.x[k], o.xCode, o.xNachkommastellen, o.systemDezimalzeichen, o.messStart).text;
  const QString wert =
      Tolvek::zahlFormatieren(d.y[k], o.yCode, o.yNachkommastellen, o.systemDezimalzeichen, o.messStart).text;
  std::array<Tabellenzelle, 3> zellen;
  zellen[0] = {static_cast<double>(i), QString::number(i)};
  // Clock and date texts (codes 13 to 16) stay as shown.
  zellen[1] = o.xCode < 13 ? zahlOderText(zeit, o.systemDezimalzeichen) : Tabellenzelle{std::nullopt, zeit};
  if (o.dezimalzeichen == o.systemDezimalzeichen)
    zellen[2] = zahlOderText(wert, o.systemDezimalzeichen);
  else
    zellen[2] = {std::nullopt,
                 DezimalzeichenErsetzen(wert, QString(o.systemDezimalzeichen), QString(o.dezimalzeichen))};
  return zellen;
}

struct TabellenkalkulationLauf::Mappe {
  lxw_workbook* buch = nullptr;
  lxw_worksheet* blatt = nullptr;
  // The library writes the whole file when the workbook is closed; it goes
  // to this file beside the target first, so a failure keeps the old one.
  QString ziel;
  QString zwischendatei;

  void oeffnen(lxw_workbook_options einstellungen) {
    // A new file beside the one the name leads to, through a link: there
    // it takes that name; dateiUebernehmen gives it the permissions to keep.
    const QString neben = verweisZiel(ziel);
    for (int n = 1; n < 100 && zwischendatei.isEmpty(); ++n) {
      QFile platz(neben + QStringLiteral(".~%1").arg(n));
      if (platz.open(QIODevice::WriteOnly | QIODevice::NewOnly, kNeueDatei)) zwischendatei = platz.fileName();
    }
    if (zwischendatei.isEmpty()) return;
    buch = workbook_new_opt(QFile::encodeName(zwischendatei).constData(), &einstellungen);
    if (!buch) QFile::remove(zwischendatei);
  }

  void schreiben(lxw_row_t zeile, lxw_col_t spalte, const Tabellenzelle& z) const {
    if (!blatt) return;
    if (z.zahl)
      worksheet_write_number(blatt, zeile, spalte, *z.zahl, nullptr);
    else if (!z.text.isEmpty())
      worksheet_write_string(blatt, zeile, spalte, z.text.toUtf8().constData(), nullptr);
  }
};

TabellenkalkulationLauf::TabellenkalkulationLauf(const QString& pfad, Messdaten daten,
                                                 TabellenkalkulationOptionen optionen)
    : mappe_(std::make_unique<Mappe>()), daten_(std::move(daten)), optionen_(std::move(optionen)) {
  optionen_.bereich = optionen_.bereich.begrenzt(daten_.m);
  anzahl_ = optionen_.bereich.anzahl();
  // Rows go out in order, so the sheet is streamed instead of kept whole.
  lxw_workbook_options einstellungen{};
  einstellungen.constant_memory = LXW_TRUE;
  mappe_->ziel = pfad;
  mappe_->oeffnen(einstellungen);
  if (mappe_->buch) mappe_->blatt = workbook_add_worksheet(mappe_->buch, "Tabelle1");
  mappe_->schreiben(0, 0, {std::nullopt, QStringLiteral("Nummer")});
  mappe_->schreiben(0, 1, {std::nullopt, optionen_.zeitKopf});
  mappe_->schreiben(0, 2, {std::nullopt, optionen_.wertKopf});
}

TabellenkalkulationLauf::~TabellenkalkulationLauf() { schliessen(); }

int32_t TabellenkalkulationLauf::fortschritt() const { return exportFortschritt(k_, optionen_.bereich); }

void TabellenkalkulationLauf::weiter() {
  if (fertig()) return;
  const std::array<Tabellenzelle, 3> zellen =
      tabellenkalkulationZeile(daten_, optionen_.bereich.nummer(k_ - 1), optionen_);
  const auto zeile = static_cast<lxw_row_t>(k_);
  for (lxw_col_t s = 0; s < 3; ++s) mappe_->schreiben(zeile, s, zellen[s]);
  ++k_;
}

bool TabellenkalkulationLauf::schliessen() {
  if (!mappe_->buch) return false;
  const lxw_error fehler = workbook_close(mappe_->buch);
  mappe_->buch = nullptr;
  mappe_->blatt = nullptr;
  if (fehler != LXW_NO_ERROR) {
    QFile::remove(mappe_->zwischendatei);
    return false;
  }
  return dateiUebernehmen(mappe_->zwischendatei, mappe_->ziel);
}

}  // namespace pv
