#pragma once

// A HID backend for tests: a scripted device whose reports, write results
// and presence the test sets, and which counts what was opened, written,
// waited for and closed. Time-outs are reported at once, never waited out.

#include <QByteArray>
#include <algorithm>
#include <deque>
#include <memory>
#include <vector>

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

// An input report: id 0 and the given data bytes.
inline QByteArray hidBericht(std::initializer_list<int> daten) {
  QByteArray b(1, '\0');
  for (int d : daten) b.append(static_cast<char>(d));
  return b;
}

}  // namespace pvtest
