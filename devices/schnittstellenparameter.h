#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>

namespace pv {

// The serial settings text of a device: baud rate, parity letter, data bits
// and stop bits separated by commas, "9600,n,8,1". A device file may hold
// "USB" instead for the USB multimeter.
//
// Accepted, with no blanks anywhere:
//  - baud: decimal digits, 1 to 256000;
//  - parity: one of n (none), o (odd), e (even), m (mark), s (space), in
//    either case;
//  - data bits: 4 to 8;
//  - stop bits: "1", "1.5" or "2".
// Anything else is refused. The device editor tests a text with
// einstellungenPruefen() before it saves it and the device selection before
// it configures the port, so both refuse the same texts. Applying the
// settings to a port is acquisition/schnittstellenparameter.h.

enum class Stoppbits { Eins, EinsKommaFuenf, Zwei };

struct Schnittstellenparameter {
  int32_t baud = 9600;
  QChar paritaet = u'n';  // always lower case: n, o, e, m, s
  int16_t datenbits = 8;
  Stoppbits stoppbits = Stoppbits::Eins;

  bool operator==(const Schnittstellenparameter&) const = default;
};

inline constexpr int32_t kHoechsteBaudrate = 256000;

// The run-time error a refused settings text raises: "invalid property value".
inline constexpr int kUngueltigerEigenschaftswert = 380;
inline const QString kUngueltigerEigenschaftswertText =
    QStringLiteral("Ungültiger Eigenschaftswert");

// True exactly for "USB" (case-sensitive): the device is the USB multimeter.
bool istUsbEinstellung(const QString& text);

// Parses a settings text; empty when the text is not one (see above).
std::optional<Schnittstellenparameter> schnittstellenparameterLesen(const QString& text);

// The settings as text in the form the device editor writes: "9600,n,8,1".
QString schnittstellenparameterText(const Schnittstellenparameter& p);

// Whether a serial port of this platform can be set to these values: the
// serial drivers have no 4-data-bit mode, and 1.5 stop bits exist on Windows
// only.
bool anwendbar(const Schnittstellenparameter& p);

// Parses the text and checks that the port can use it; throws
// Laufzeitfehler(380, "Ungültiger Eigenschaftswert") otherwise. This is the
// test the device editor and the device selection rely on.
Schnittstellenparameter einstellungenPruefen(const QString& text);

}  // namespace pv
