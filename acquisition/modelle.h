#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <span>

#include "acquisition/erfassungszustand.h"
#include "acquisition/normdatensatz.h"

namespace pv {

// The built-in model decoders. A device whose field positions are all 0
// (automatic format) and whose decoder tag ("Spezial") begins with one of
// the model names below, exact case, has its records decoded by that model;
// the evaluation then cuts the fields by the layout that goes with the
// decoded record.

using Modelldecoder = QByteArray (*)(QByteArrayView datensatz, int16_t lzAscii);

struct Modelleintrag {
  QStringView kennung;  // the tag begins with it
  Modelldecoder decoder;
  // The layout of a record the decoder returned.
  Datensatzlayout (*layout)(QByteArrayView ergebnis);
};

// All models in the order their names are compared.
std::span<const Modelleintrag> modelle();

// The model whose name the tag begins with; nullptr for none.
const Modelleintrag* modellZuKennung(QStringView spezial);

// A record as a model decoder returned it, with the layout to cut it by.
struct Modelldatensatz {
  QByteArray datensatz;
  Datensatzlayout layout;
};

// The decoded record of a device with the automatic format whose tag names a
// model; none for an empty record, a device with field positions or a tag
// that names no model (the automatic format recognition then runs).
std::optional<Modelldatensatz> modellDekodieren(const QByteArray& datensatz, const Erfassungszustand& geraet);

// The counting instrument decoded without a table: the 2nd and 3rd bytes
// less 128 are the low 7 bits a and the high part b of v = b * 128 + a
// (-16512 .. 16383); the result is v right-aligned in 5 characters and the
// character with code 3, whatever the device's terminator code. The values
// below -9999 need a sixth character; they get it (skintalkLayout(6)) rather
// than being lost. Fewer than 3 bytes: "FEHLER".
QByteArray SKINTALKAuswerten(QByteArrayView datensatz, int16_t lzAscii = 0);

// The device's own layout: its field positions and its record length.
Datensatzlayout geraeteLayout(const Erfassungszustand& z);

}  // namespace pv
