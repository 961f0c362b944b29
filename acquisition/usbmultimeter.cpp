#include "usbmultimeter.h"

#include <QByteArray>
#include <exception>

#include "acquisition/abfrage.h"
#include "acquisition/hidapibackend.h"
#include "acquisition/normdatensatz.h"
#include "common/cp1252.h"

namespace pv {

namespace {

const QString kVierLeer = QStringLiteral("    ");
const QString kFehler = QStringLiteral("FEHLER");

// Data bytes of one input report after the report id.
constexpr int kDatenProBericht = 8;

struct ModusEinheit {
  QString modus;
  QString einheit;
};

// Mode and unit by the function code (bits 7-4) and range code (bits 3-0)
// of the second frame byte.
ModusEinheit modusUndEinheit(uint64_t funktion, uint64_t bereich) {
  auto s = [](const char16_t* t) { return QString::fromUtf16(t); };
  switch (funktion) {
    case 0b0000:
      return {s(u"DC  "), bereich == 0 ? s(u" mV ") : s(u" V  ")};
    case 0b0001:
      return {s(u"AC  "), bereich == 0 ? s(u" mV ") : s(u" V  ")};
    case 0b0010: {
      const char16_t* e[] = {u" Ohm", u"kOhm", u"MOhm"};
      return {s(u"Res "), bereich < 3 ? s(e[bereich]) : kVierLeer};
    }
    case 0b0011:
      return {s(u"DC  "), bereich == 0 ? s(u" uA ") : s(u" mA ")};
    case 0b0100:
      return {s(u"DC  "), s(u" mA ")};
    case 0b0101:
      return {s(u"DC  "), s(u" A  ")};
    case 0b0110: {
      const char16_t* e[] = {u" uA ", u" mA "};
      return {s(u"AC  "), bereich < 2 ? s(e[bereich]) : kVierLeer};
    }
    case 0b0111:
      return {s(u"AC  "), s(u" mA ")};
    case 0b1000:
      return {s(u"AC  "), s(u" A  ")};
    case 0b1001: {
      const char16_t* e[] = {u" kHz", u" MHz"};
      return {s(u"Freq"), bereich < 2 ? s(e[bereich]) : kVierLeer};
    }
    case 0b1010: {
      const char16_t* e[] = {u" nF ", u" uF "};
      return {s(u"Cap "), bereich < 2 ? s(e[bereich]) : kVierLeer};
    }
    case 0b1011:
      return {s(u"S/O "), kVierLeer};
    case 0b1110:
      switch (bereich) {
        case 0b0000:
          return {kVierLeer, s(u"Cont")};
        case 0b0001:
          return {kVierLeer, s(u"Diod")};
        case 0b0010:
          return {kVierLeer, s(u" hFe")};
        case 0b0011:
          return {s(u"Temp"), s(u" °C ")};
        case 0b0100:
          return {kVierLeer, s(u"Logi")};
        case 0b0101:
          return {kVierLeer, s(u" EF ")};
        case 0b0110:
          return {kVierLeer, s(u" dB ")};
        default:
          return {kVierLeer, kVierLeer};
      }
    default:
      return {QString(), kVierLeer};  // 1100, 1101, 1111
  }
}

}  // namespace

QString M3890DAuswerten(const QString& byte1, const QString& byte2, const QString& byte3,
                        const QString& byte4, int16_t lzAscii) {
  // Decimal code in bits 2-1: the mark stands before digit 4, 3 or 2; 5 is
  // no mark at all.
  int kommaStelle = 5;
  const QString dezimalCode = byte1.mid(5, 2);
  if (dezimalCode == u"01")
    kommaStelle = 4;
  else if (dezimalCode == u"10")
    kommaStelle = 3;
  else if (dezimalCode == u"11")
    kommaStelle = 2;
  const QString vorzeichen = byte1.mid(7, 1) == u"1" ? QStringLiteral("-") : QStringLiteral(" ");

  const ModusEinheit me = modusUndEinheit(HidZugriff::BitsZuZahl(QStringView(byte2).left(4)),
                                          HidZugriff::BitsZuZahl(QStringView(byte2).mid(4, 4)));

  const uint64_t ersteZiffer = HidZugriff::BitsZuZahl(QStringView(byte3).left(4));
  QString ziffern[4] = {
      QString::number(ersteZiffer),
      QString::number(HidZugriff::BitsZuZahl(QStringView(byte3).mid(4, 4))),
      QString::number(HidZugriff::BitsZuZahl(QStringView(byte4).left(4))),
      QString::number(HidZugriff::BitsZuZahl(QStringView(byte4).mid(4, 4))),
  };
  auto setzen = [&ziffern](const char16_t* vier) {
    for (int k = 0; k < 4; ++k) ziffern[k] = QString(QChar(vier[k]));
  };

  if (me.einheit == u"Logi") {
    switch (ersteZiffer) {
      case 10:
        setzen(u" rdy");
        break;
      case 11:
        setzen(u" Lo ");
        break;
      case 12:
        setzen(u" Hi ");
        break;
      case 15:
        setzen(u"----");
        break;
      default:
        setzen(u"    ");
        break;
    }
  } else if (me.modus == u"S/O ") {
    setzen(u"----");
  } else if (ersteZiffer > 9) {  // overload
    setzen(u" OL ");
    kommaStelle = 5;
  }

  QString wert;
  for (int k = 1; k <= 4; ++k) {
    if (kommaStelle == k) wert += u',';
    wert += ziffern[k - 1];
  }
  if (kommaStelle == 5) wert += u' ';

  return me.modus + vorzeichen + wert + me.einheit + cp1252Zeichen(abschlusszeichen(lzAscii));
}

UsbMultimeter::UsbMultimeter(HidBackend& backend) : hid_(backend) {}

QString UsbMultimeter::M3890DLesen(int16_t lzAscii) {
  try {
    hid_.kennungenSetzen(kM3890DHerstellerKennung, kM3890DProduktKennung);
    if (hid_.HidAustausch() == 0) return kUsbNichtGefunden;

    // The second exchange only moves the meter's report stream on.
    hid_.HidAustausch();

    // The data of the third and fourth report: each half counts only when
    // its exchange read a whole report.
    QByteArray block(2 * kDatenProBericht, '\0');
    bool gueltig[2] = {false, false};
    for (int haelfte = 0; haelfte < 2; ++haelfte) {
      if (hid_.HidAustausch() == 1 && hid_.berichtGelesen() >= 1 + kDatenProBericht) {
        block.replace(haelfte * kDatenProBericht, kDatenProBericht,
                      hid_.HidLesePuffer().mid(1, kDatenProBericht));
        gueltig[haelfte] = true;
      }
    }

    for (int haelfte = 0; haelfte < 2; ++haelfte) {
      if (!gueltig[haelfte]) continue;
      const int a = haelfte * kDatenProBericht;
      auto bits = [&block](int i) {
        return HidZugriff::ByteZuBits(static_cast<uint8_t>(block[i]));
      };
      // A frame begins with a byte whose two top bits are 00.
      if (bits(a).startsWith(u"00")) {
        return M3890DAuswerten(bits(a), bits(a + 1), bits(a + 2), bits(a + 3), lzAscii);
      }
    }
    return kFehler;
  } catch (const std::exception&) {
    return kFehler;
  }
}

UsbMultimeter& usbMultimeter() {
  static HidapiBackend backend;
  static UsbMultimeter meter(backend);
  return meter;
}

}  // namespace pv
