#include "groessenordnung.h"

#include <array>

#include "acquisition/erfassungszustand.h"

namespace pv {

std::optional<Groessenordnung> groessenordnung(int16_t index) {
  static const std::array<Groessenordnung, 8> tabelle = {{
      {1e6, QStringLiteral("Mega --> Faktor 1 E+6"), QStringLiteral("M"), QStringLiteral("Mega...")},
      {1e3, QStringLiteral("Kilo --> Faktor 1000"), QStringLiteral("k"), QStringLiteral("Kilo...")},
      {1e-3, QStringLiteral("Milli --> Faktor 0,001"), QStringLiteral("m"), QStringLiteral("Milli...")},
      {1e-6, QStringLiteral("Mikro --> Faktor 1 E-6"), QStringLiteral("µ"), QStringLiteral("Mikro...")},
      {1e-9, QStringLiteral("Nano --> Faktor 1 E-9"), QStringLiteral("n"), QStringLiteral("Nano...")},
      {1e-12, QStringLiteral("Piko --> Faktor 1 E-12"), QStringLiteral("p"), QStringLiteral("Piko...")},
      {1.0, QStringLiteral("Standard --> Faktor 1"), QStringLiteral("1"), QStringLiteral("Standard")},
      {1e9, QStringLiteral("Giga --> Faktor 1 E+9"), QStringLiteral("G"), QString()},
  }};
  if (index < 0 || index > 7) return std::nullopt;
  return tabelle[static_cast<size_t>(index)];
}

QString MessbereichWaehlen(int16_t index) {
  Erfassungsmodul& modul = erfassungsmodul();
  modul.Messbereich = index;
  const auto g = groessenordnung(index);
  if (!g) return QString();
  modul.Faktor = g->faktor;
  return g->text;
}

}  // namespace pv
