#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <memory>

namespace pv {

// USB HID access: one device of the human-interface class, found by its
// vendor and product id, kept open, and asked in exchanges of one output
// report written and one input report read with a bounded wait.
//
// The platform part sits behind HidBackend / HidGeraet so that the logic
// (when to search, what a report holds, what a time-out does) runs on any
// HID layer; the program uses the hidapi backend (hidapibackend.h).

// Report lengths in bytes, the report id byte included: a report buffer
// always starts with the report id (0 when the device numbers none).
struct HidBerichtLaengen {
  int eingabe = 0;
  int ausgabe = 0;

  bool operator==(const HidBerichtLaengen&) const = default;
};

enum class HidLeseergebnis {
  Gelesen,              // a report is in the buffer
  Zeitueberschreitung,  // nothing came within the wait
  Fehler,               // the read failed (device gone, I/O error)
};

// One opened HID interface. Destroying it closes it, so whoever holds it
// cannot leave it open on a failure path.
class HidGeraet {
 public:
  virtual ~HidGeraet() = default;
  virtual HidBerichtLaengen berichtLaengen() const = 0;
  // Writes one output report, byte 0 the report id. True when written.
  virtual bool berichtSchreiben(const QByteArray& bericht) = 0;
  // Reads one input report into `puffer` (its size is the most read), byte
  // 0 the report id, waiting at most `wartezeitMs`. On Gelesen `gelesen` is
  // the number of bytes the report filled, the id byte included.
  virtual HidLeseergebnis berichtLesen(QByteArray& puffer, int& gelesen, int wartezeitMs) = 0;
};

class HidBackend {
 public:
  virtual ~HidBackend() = default;
  // The first present interface with these ids that can be opened, in the
  // platform's enumeration order; nullptr when there is none.
  virtual std::unique_ptr<HidGeraet> oeffnen(uint16_t herstellerKennung,
                                             uint16_t produktKennung) = 0;
};

class HidZugriff {
 public:
  // Longest wait for an input report in one exchange.
  static constexpr int kLeseWartezeitMs = 3000;

  explicit HidZugriff(HidBackend& backend);

  // The wanted device.
  void kennungenSetzen(uint16_t herstellerKennung, uint16_t produktKennung);

  // One exchange: searches the device when it is not open, writes the output
  // report (report id 0, then the 8 data bytes 01 01 00 00 00 00 00 00 as far
  // as the report is long, zeros beyond) and reads one input report.
  // 1 when the report was written and read with the device still open, else
  // 0. Every failure (nothing found, failed write, time-out, failed read)
  // closes the device, and the next exchange searches again.
  int16_t HidAustausch();

  // Closes an open device and opens the wanted one anew; true when found.
  bool HidGeraetSuchen();

  // The device is found and open.
  bool HidGeraetGefunden() const { return geraet_ != nullptr; }

  // The last input report: byte 0 the report id, then the data. Zeroed when
  // a read starts, so a time-out leaves zeros; a failed write leaves the
  // report before. Use berichtGelesen() to know whether it is fresh.
  const QByteArray& HidLesePuffer() const { return lesePuffer_; }

  // Bytes the last exchange's input report really filled, the id included;
  // 0 when the last exchange read nothing.
  int berichtGelesen() const { return gelesen_; }

  // A byte 0..255 as its 8-character bit text, bit 7 first.
  static QString ByteZuBits(int byte);
  // A bit text to its value, the first character the most significant;
  // every character other than '1' counts as 0. Exact up to 64 characters.
  static uint64_t BitsZuZahl(QStringView bits);

 private:
  bool HidBerichtSchreiben();
  bool HidBerichtLesen();

  HidBackend& backend_;
  uint16_t hersteller_ = 0;
  uint16_t produkt_ = 0;
  std::unique_ptr<HidGeraet> geraet_;
  HidBerichtLaengen laengen_;
  QByteArray lesePuffer_;
  int gelesen_ = 0;
  // The data bytes after the report id; each exchange sets the first two to 1.
  std::array<uint8_t, 8> ausgabeDaten_{};
};

}  // namespace pv
