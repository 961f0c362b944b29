#include "hidapibackend.h"

#include <fcntl.h>
#include <hidapi.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace pv {

namespace {

// Larger reports than this are no HID reports; a descriptor claiming one is
// taken as broken.
constexpr uint64_t kGroessterBericht = 16384;

struct GlobalerZustand {
  uint64_t berichtGroesse = 0;  // bits per field
  uint64_t berichtAnzahl = 0;   // fields
  uint32_t berichtNummer = 0;
};

}  // namespace

std::optional<HidDeskriptorAngaben> hidDeskriptorAuswerten(const QByteArray& deskriptor) {
  const auto* d = reinterpret_cast<const uint8_t*>(deskriptor.constData());
  const qsizetype n = deskriptor.size();

  GlobalerZustand global;
  std::vector<GlobalerZustand> stapel;
  // Bits per (report id), per kind: 0 input, 1 output, 2 feature.
  std::map<uint32_t, std::array<uint64_t, 3>> bits;
  bool nummeriert = false;

  qsizetype i = 0;
  while (i < n) {
    const uint8_t praefix = d[i];
    if (praefix == 0xFE) {  // long item: size, tag, data
      if (i + 2 >= n) return std::nullopt;
      const qsizetype laenge = d[i + 1];
      if (i + 3 + laenge > n) return std::nullopt;
      i += 3 + laenge;
      continue;
    }
    const int groesseCode = praefix & 0x03;
    const qsizetype datenLaenge = groesseCode == 3 ? 4 : groesseCode;
    if (i + 1 + datenLaenge > n) return std::nullopt;
    uint32_t wert = 0;
    for (qsizetype k = 0; k < datenLaenge; ++k) wert |= uint32_t(d[i + 1 + k]) << (8 * k);
    const int typ = (praefix >> 2) & 0x03;
    const int tag = praefix >> 4;
    i += 1 + datenLaenge;

    if (typ == 0) {  // main
      // Input, Output and Feature items carry report fields.
      const int art = tag == 0x8 ? 0 : tag == 0x9 ? 1 : tag == 0xB ? 2 : -1;
      if (art >= 0) {
        // Both factors may be up to 32 bits wide: test before multiplying.
        const uint64_t grenze = kGroessterBericht * 8;
        if (global.berichtGroesse != 0 && global.berichtAnzahl > grenze / global.berichtGroesse) {
          return std::nullopt;
        }
        auto& summe = bits[global.berichtNummer][art];
        summe += global.berichtGroesse * global.berichtAnzahl;
        if (summe > grenze) return std::nullopt;
      }
    } else if (typ == 1) {  // global
      switch (tag) {
        case 0x7:
          global.berichtGroesse = wert;
          break;
        case 0x9:
          global.berichtAnzahl = wert;
          break;
        case 0x8:
          global.berichtNummer = wert;
          nummeriert = true;
          break;
        case 0xA:
          stapel.push_back(global);
          break;
        case 0xB:
          if (stapel.empty()) return std::nullopt;
          global = stapel.back();
          stapel.pop_back();
          break;
        default:
          break;
      }
    }
  }

  std::array<uint64_t, 3> groesste{};
  for (const auto& [nummer, summen] : bits) {
    for (int art = 0; art < 3; ++art) groesste[art] = std::max(groesste[art], summen[art]);
  }
  // Bytes of the data rounded up, plus the report id byte.
  auto bytes = [](uint64_t b) { return b == 0 ? 0 : static_cast<int>((b + 7) / 8 + 1); };
  HidDeskriptorAngaben angaben;
  angaben.laengen = {bytes(groesste[0]), bytes(groesste[1])};
  angaben.merkmal = bytes(groesste[2]);
  angaben.berichtsnummern = nummeriert;
  return angaben;
}

namespace {

// The report descriptor of a hidraw node; empty when it cannot be read.
QByteArray hidrawDeskriptorLesen(const char* pfad) {
  if (!pfad) return {};
  const int fd = ::open(pfad, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return {};
  struct Schliessen {
    int fd;
    ~Schliessen() { ::close(fd); }
  } schliessen{fd};

  int groesse = 0;
  if (::ioctl(fd, HIDIOCGRDESCSIZE, &groesse) < 0) return {};
  if (groesse <= 0 || groesse > HID_MAX_DESCRIPTOR_SIZE) return {};
  hidraw_report_descriptor beschreibung{};
  beschreibung.size = static_cast<uint32_t>(groesse);
  if (::ioctl(fd, HIDIOCGRDESC, &beschreibung) < 0) return {};
  return QByteArray(reinterpret_cast<const char*>(beschreibung.value), groesse);
}

class HidapiRohgeraet : public HidPlattform::Geraet {
 public:
  explicit HidapiRohgeraet(hid_device* geraet) : geraet_(geraet) {}
  ~HidapiRohgeraet() override { hid_close(geraet_); }
  HidapiRohgeraet(const HidapiRohgeraet&) = delete;
  HidapiRohgeraet& operator=(const HidapiRohgeraet&) = delete;

  int schreiben(const unsigned char* daten, size_t laenge) override { return hid_write(geraet_, daten, laenge); }
  int lesen(unsigned char* daten, size_t laenge, int wartezeitMs) override {
    return hid_read_timeout(geraet_, daten, laenge, wartezeitMs);
  }

 private:
  hid_device* geraet_;
};

struct ListeFreigeben {
  void operator()(hid_device_info* liste) const { hid_free_enumeration(liste); }
};

class HidapiPlattform : public HidPlattform {
 public:
  std::vector<Schnittstelle> aufzaehlen(uint16_t herstellerKennung, uint16_t produktKennung) override {
    std::unique_ptr<hid_device_info, ListeFreigeben> liste(hid_enumerate(herstellerKennung, produktKennung));
    std::vector<Schnittstelle> schnittstellen;
    for (hid_device_info* info = liste.get(); info; info = info->next) {
      schnittstellen.push_back({info->path ? info->path : "", info->vendor_id, info->product_id});
    }
    return schnittstellen;
  }
  std::unique_ptr<Geraet> oeffnen(const std::string& pfad) override {
    hid_device* geraet = hid_open_path(pfad.c_str());
    if (!geraet) return nullptr;
    return std::make_unique<HidapiRohgeraet>(geraet);
  }
  QByteArray deskriptor(const std::string& pfad) override { return hidrawDeskriptorLesen(pfad.c_str()); }
};

class HidapiGeraet : public HidGeraet {
 public:
  HidapiGeraet(std::unique_ptr<HidPlattform::Geraet> geraet, HidBerichtLaengen laengen, bool nummeriert)
      : geraet_(std::move(geraet)), laengen_(laengen), nummeriert_(nummeriert) {}

  HidBerichtLaengen berichtLaengen() const override { return laengen_; }

  bool berichtSchreiben(const QByteArray& bericht) override {
    if (bericht.isEmpty()) return false;
    const int ergebnis = geraet_->schreiben(reinterpret_cast<const unsigned char*>(bericht.constData()),
                                            static_cast<size_t>(bericht.size()));
    return ergebnis > 0;
  }

  HidLeseergebnis berichtLesen(QByteArray& puffer, int& gelesen, int wartezeitMs) override {
    gelesen = 0;
    if (puffer.isEmpty()) return HidLeseergebnis::Fehler;
    // hidraw hands reports of an unnumbered device without the id byte;
    // read them behind a 0 byte.
    const qsizetype versatz = nummeriert_ ? 0 : 1;
    if (puffer.size() - versatz < 1) return HidLeseergebnis::Fehler;
    auto* ziel = reinterpret_cast<unsigned char*>(puffer.data()) + versatz;
    const int n = geraet_->lesen(ziel, static_cast<size_t>(puffer.size() - versatz), wartezeitMs);
    if (n == 0) return HidLeseergebnis::Zeitueberschreitung;
    if (n < 0) return HidLeseergebnis::Fehler;
    if (!nummeriert_) puffer[0] = '\0';
    gelesen = n + static_cast<int>(versatz);
    return HidLeseergebnis::Gelesen;
  }

 private:
  std::unique_ptr<HidPlattform::Geraet> geraet_;
  HidBerichtLaengen laengen_;
  bool nummeriert_;
};

}  // namespace

HidPlattform& hidapiPlattform() {
  static HidapiPlattform plattform;
  return plattform;
}

std::unique_ptr<HidGeraet> HidapiBackend::oeffnen(uint16_t herstellerKennung,
                                                  uint16_t produktKennung) {
  // hid_enumerate takes 0 as "any"; the ids are compared here as well so
  // that only the wanted device matches.
  for (const HidPlattform::Schnittstelle& s : plattform_.aufzaehlen(herstellerKennung, produktKennung)) {
    if (s.herstellerKennung != herstellerKennung || s.produktKennung != produktKennung) continue;
    std::unique_ptr<HidPlattform::Geraet> geraet = plattform_.oeffnen(s.pfad);
    if (!geraet) continue;  // cannot be opened: does not match
    HidBerichtLaengen laengen = kHidErsatzLaengen;
    bool nummeriert = false;
    const auto angaben = hidDeskriptorAuswerten(plattform_.deskriptor(s.pfad));
    if (angaben && (angaben->laengen.eingabe > 0 || angaben->laengen.ausgabe > 0)) {
      laengen = angaben->laengen;
      nummeriert = angaben->berichtsnummern;
    }
    return std::make_unique<HidapiGeraet>(std::move(geraet), laengen, nummeriert);
  }
  return nullptr;
}

}  // namespace pv
