#pragma once

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <optional>

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

// HID access on hidapi (hidraw). hidapi gives no report lengths, so they
// come from the hidraw node's report descriptor. Input reports of a device
// without report ids get a 0 id byte put in front, so that buffers look
// alike on every platform.
class HidapiBackend : public HidBackend {
 public:
  std::unique_ptr<HidGeraet> oeffnen(uint16_t herstellerKennung, uint16_t produktKennung) override;
};

}  // namespace pv
