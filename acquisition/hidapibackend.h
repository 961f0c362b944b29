#pragma once

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "acquisition/hidzugriff.h"

namespace pv {

// What a HID report descriptor says about the reports: the longest input,
// output and feature report in bytes with the report id byte counted (the
// way report buffers are laid out), 0 for a kind the device does not have,
// and whether the reports are numbered (Report ID items).
struct HidDeskriptorAngaben {
  HidBerichtLaengen laengen;
  int merkmal = 0;
  bool berichtsnummern = false;

  bool operator==(const HidDeskriptorAngaben&) const = default;
};

// Reads a report descriptor: per report id and kind the bits of all main
// items (Report Size × Report Count) add up; Push and Pop keep the global
// state, long items are passed over. nullopt for a descriptor that ends
// inside an item, pops more than it pushed, or gives a report longer than a
// HID report can be.
std::optional<HidDeskriptorAngaben> hidDeskriptorAuswerten(const QByteArray& deskriptor);

// Used when the descriptor cannot be read or understood: the 8 data bytes
// (and the id byte) that the USB meter's reports carry, reports unnumbered.
inline constexpr HidBerichtLaengen kHidErsatzLaengen{9, 9};

// The platform calls the hidapi backend is built on, as hidapi (hidraw)
// has them.
class HidPlattform {
 public:
  struct Schnittstelle {
    std::string pfad;
    uint16_t herstellerKennung = 0;
    uint16_t produktKennung = 0;
  };

  // One opened interface.
  class Geraet {
   public:
    virtual ~Geraet() = default;
    // hid_write: byte 0 the report id. Bytes written, -1 on failure.
    virtual int schreiben(const unsigned char* daten, size_t laenge) = 0;
    // hid_read_timeout: one input report, the id byte only when the device
    // numbers its reports. Bytes read, 0 after the wait, -1 on failure.
    virtual int lesen(unsigned char* daten, size_t laenge, int wartezeitMs) = 0;
  };

  virtual ~HidPlattform() = default;
  // The present interfaces with these ids, in enumeration order.
  virtual std::vector<Schnittstelle> aufzaehlen(uint16_t herstellerKennung, uint16_t produktKennung) = 0;
  // nullptr when the path cannot be opened.
  virtual std::unique_ptr<Geraet> oeffnen(const std::string& pfad) = 0;
  // The interface's report descriptor; empty when it cannot be read.
  virtual QByteArray deskriptor(const std::string& pfad) = 0;
};

// The platform's own HID calls.
HidPlattform& hidapiPlattform();

// HID access on hidapi (hidraw). hidapi gives no report lengths, so they
// come from the interface's report descriptor. Input reports of a device
// without report ids get a 0 id byte put in front, so that buffers look
// alike on every platform.
class HidapiBackend : public HidBackend {
 public:
  explicit HidapiBackend(HidPlattform& plattform = hidapiPlattform()) : plattform_(plattform) {}
  std::unique_ptr<HidGeraet> oeffnen(uint16_t herstellerKennung, uint16_t produktKennung) override;

 private:
  HidPlattform& plattform_;
};

}  // namespace pv
