#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <span>

#include "acquisition/erfassungszustand.h"
#include "acquisition/normdatensatz.h"
#include "devices/geraetedefinition.h"

namespace pv {

// The built-in model decoders and the choice among them. A device whose
// field positions are all 0 (automatic format) and whose decoder tag
// ("Spezial") begins with one of the model names below has its records
// decoded by that model into the normalised record; the evaluation then cuts
// the fields by the layout that goes with it.

enum class Modell { Keins, VC608, VC820, DT4000ZC, M980T, APPA107, SKINTALK, VC960 };

using Modelldecoder = QByteArray (*)(QByteArrayView datensatz, int16_t lzAscii);

struct Modelleintrag {
  QStringView kennung;  // the tag begins with it, exact case
  Modell modell;
  Modelldecoder decoder;
};

// All models in the order their names are compared.
std::span<const Modelleintrag> modelle();

// The model whose name the tag begins with (exact case); nullptr for none.
const Modelleintrag* modellZuKennung(QStringView spezial);

// The counting instrument decoded without a table: the 2nd and 3rd bytes
// less 128 are the low 7 bits a and the high part b of v = b * 128 + a
// (-16512 .. 16383); the result is v right-aligned in 5 characters and the
// character with code 3, whatever the device's terminator code. The values
// below -9999 need a sixth character; they get it (skintalkLayout(6)) rather
// than being lost. Fewer than 3 bytes: "FEHLER".
QByteArray SKINTALKAuswerten(QByteArrayView datensatz, int16_t lzAscii = 0);

// The layout of a record a model decoder returned.
Datensatzlayout modellLayout(Modell modell, QByteArrayView ergebnis);

// The device's own layout: its field positions and its record length.
Datensatzlayout geraeteLayout(const Erfassungszustand& z);
Datensatzlayout geraeteLayout(const Geraetedefinition& def);

// The automatic format recognition of the evaluation: rewrites the record
// and the layout, or returns "FEHLER".
using Formaterkennung = std::function<QByteArray(const QByteArray& datensatz, Datensatzlayout& layout)>;

// What the evaluation goes on with: the record for every later step (the
// "FEHLER" test, the length and terminator checks, the field cuts) and the
// layout those steps use in place of the device's positions.
struct Modellergebnis {
  QByteArray datensatz;
  Datensatzlayout layout;
  Modell modell = Modell::Keins;  // the model that decoded the record
  // Automatic format without a model: the record belongs to the automatic
  // format recognition. Done already when one was passed to the dispatch;
  // otherwise the record and the layout are still the device's.
  bool formaterkennung = false;
};

// The dispatch for one framed record of the current device:
//  - an empty record, or a device with a field position set: the record as
//    it is, with the device's layout (DatensatzLaenge = its record length);
//  - automatic format and a tag that begins with a model name: the model's
//    decoded record and its layout;
//  - automatic format, no model: `erkennen` (when given) rewrites record and
//    layout, and `formaterkennung` is set.
// Pure: reads only its arguments. The evaluation calls it as
//   const Modellergebnis m = ModellDispatch(satz, zustand, erkennung);
Modellergebnis ModellDispatch(const QByteArray& datensatz, const Erfassungszustand& z,
                              const Formaterkennung& erkennen = {});
Modellergebnis ModellDispatch(const QByteArray& datensatz, const Geraetedefinition& def,
                              const Formaterkennung& erkennen = {});

}  // namespace pv
