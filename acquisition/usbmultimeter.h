#pragma once

#include <QString>
#include <cstdint>

#include "acquisition/hidzugriff.h"

namespace pv {

// The USB multimeter M3890D, read as a HID device. One poll makes four
// exchanges, takes a 4-byte frame from the data of the last two input
// reports and turns it into the 15-character USB meter record:
//   1-4 mode, 5 sign ("-" or a space), 6-10 four digits with a "," placed
//   by the decimal code (a trailing space without one), 11-14 unit,
//   15 the device's terminator character.
// The record evaluation reads it by the field positions of the device file.

inline constexpr uint16_t kM3890DHerstellerKennung = 0x0925;
inline constexpr uint16_t kM3890DProduktKennung = 0x1234;

// The four frame bytes as bit texts (HidZugriff::ByteZuBits), in order,
// to the record. `lzAscii` is the current device's terminator code 0..255
// (its Windows-1252 character ends the record). A function code the meter
// does not have (1100, 1101, 1111) leaves the mode empty, and a digit of 10
// or more after the first gives a two-character digit: both make a record
// of another length, which the evaluation rejects for its length.
QString M3890DAuswerten(const QString& byte1, const QString& byte2, const QString& byte3,
                        const QString& byte4, int16_t lzAscii);

class UsbMultimeter {
 public:
  explicit UsbMultimeter(HidBackend& backend);

  // One poll: the record, "FEHLER" when no complete, fresh frame was read,
  // or kUsbNichtGefunden (abfrage.h) when the meter is not there (or was
  // lost in the first exchange). Blocks for up to four input-report waits.
  //
  // Only reports that their exchange really read in full count: a failed
  // exchange or a short report gives no frame, so neither a zeroed buffer
  // (which would read as 0000) nor the report of an earlier exchange is
  // ever decoded.
  QString M3890DLesen(int16_t lzAscii);

 private:
  HidZugriff hid_;
};

// The program's meter on the platform's HID access; its device stays open
// between polls and is closed at program end.
UsbMultimeter& usbMultimeter();

}  // namespace pv
