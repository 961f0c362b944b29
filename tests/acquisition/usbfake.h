#pragma once

// A HID backend for tests: a scripted device whose reports, write results
// and presence the test sets, and which counts what was opened, written,
// waited for and closed. Time-outs are reported at once, never waited out.

#include <QByteArray>
#include <algorithm>
#include <deque>
#include <memory>
#include <vector>

#include "acquisition/hidapibackend.h"
#include "acquisition/hidzugriff.h"

namespace pvtest {

struct FakeHid {
  struct Antwort {
    pv::HidLeseergebnis ergebnis = pv::HidLeseergebnis::Gelesen;
    QByteArray bericht;  // the report as read, id byte first
  };

  bool vorhanden = true;
  pv::HidBerichtLaengen laengen{9, 9};
  std::deque<bool> schreibErgebnisse;  // empty: writes succeed
  std::deque<Antwort> antworten;       // empty: the read times out

  int oeffnungen = 0;  // searches
  int offen = 0;       // devices open now
  uint16_t hersteller = 0;
  uint16_t produkt = 0;
  std::vector<QByteArray> geschrieben;
  std::vector<int> wartezeiten;

  void bericht(const QByteArray& b) { antworten.push_back({pv::HidLeseergebnis::Gelesen, b}); }
  void zeitueberschreitung() {
    antworten.push_back({pv::HidLeseergebnis::Zeitueberschreitung, {}});
  }
};

class FakeHidGeraet : public pv::HidGeraet {
 public:
  explicit FakeHidGeraet(FakeHid& f) : f_(f) { ++f_.offen; }
  ~FakeHidGeraet() override { --f_.offen; }

  pv::HidBerichtLaengen berichtLaengen() const override { return f_.laengen; }

  bool berichtSchreiben(const QByteArray& bericht) override {
    bool ok = true;
    if (!f_.schreibErgebnisse.empty()) {
      ok = f_.schreibErgebnisse.front();
      f_.schreibErgebnisse.pop_front();
    }
    if (ok) f_.geschrieben.push_back(bericht);
    return ok;
  }

  pv::HidLeseergebnis berichtLesen(QByteArray& puffer, int& gelesen, int wartezeitMs) override {
    f_.wartezeiten.push_back(wartezeitMs);
    gelesen = 0;
    if (f_.antworten.empty()) return pv::HidLeseergebnis::Zeitueberschreitung;
    const FakeHid::Antwort a = f_.antworten.front();
    f_.antworten.pop_front();
    if (a.ergebnis == pv::HidLeseergebnis::Gelesen) {
      gelesen = static_cast<int>(std::min(a.bericht.size(), puffer.size()));
      for (int i = 0; i < gelesen; ++i) puffer[i] = a.bericht[i];
    }
    return a.ergebnis;
  }

 private:
  FakeHid& f_;
};

class FakeHidBackend : public pv::HidBackend {
 public:
  std::unique_ptr<pv::HidGeraet> oeffnen(uint16_t hersteller, uint16_t produkt) override {
    ++f.oeffnungen;
    f.hersteller = hersteller;
    f.produkt = produkt;
    if (!f.vorhanden) return nullptr;
    return std::make_unique<FakeHidGeraet>(f);
  }

  FakeHid f;
};

// Below the hidapi backend: interfaces with their report descriptors, read
// and written as hidraw does, so an unnumbered device hands its input
// reports without the id byte. A read with no report left ends its wait.
struct FakeHidPlattform : pv::HidPlattform {
  struct Eintrag {
    Schnittstelle schnittstelle;
    QByteArray deskriptor;  // empty: cannot be read
    bool oeffenbar = true;
  };
  std::vector<Eintrag> eintraege;
  std::deque<QByteArray> berichte;  // as the device hands them
  std::vector<QByteArray> geschrieben;
  std::vector<size_t> leselaengen;  // room offered to each read

  struct Roh : Geraet {
    explicit Roh(FakeHidPlattform& p) : p_(p) {}
    int schreiben(const unsigned char* daten, size_t laenge) override {
      p_.geschrieben.emplace_back(reinterpret_cast<const char*>(daten), static_cast<qsizetype>(laenge));
      return static_cast<int>(laenge);
    }
    int lesen(unsigned char* daten, size_t laenge, int) override {
      p_.leselaengen.push_back(laenge);
      if (p_.berichte.empty()) return 0;
      const QByteArray b = p_.berichte.front();
      p_.berichte.pop_front();
      const size_t n = std::min(laenge, static_cast<size_t>(b.size()));
      std::copy_n(b.constData(), n, reinterpret_cast<char*>(daten));
      return static_cast<int>(n);
    }
    FakeHidPlattform& p_;
  };

  std::vector<Schnittstelle> aufzaehlen(uint16_t, uint16_t) override {
    std::vector<Schnittstelle> alle;
    for (const Eintrag& e : eintraege) alle.push_back(e.schnittstelle);
    return alle;
  }
  std::unique_ptr<Geraet> oeffnen(const std::string& pfad) override {
    const Eintrag* e = eintrag(pfad);
    if (!e || !e->oeffenbar) return nullptr;
    return std::make_unique<Roh>(*this);
  }
  QByteArray deskriptor(const std::string& pfad) override {
    const Eintrag* e = eintrag(pfad);
    return e ? e->deskriptor : QByteArray();
  }

 private:
  const Eintrag* eintrag(const std::string& pfad) const {
    for (const Eintrag& e : eintraege) {
      if (e.schnittstelle.pfad == pfad) return &e;
    }
    return nullptr;
  }
};

// An input report: id 0 and the given data bytes.
inline QByteArray hidBericht(std::initializer_list<int> daten) {
  QByteArray b(1, '\0');
  for (int d : daten) b.append(static_cast<char>(d));
  return b;
}

}  // namespace pvtest
