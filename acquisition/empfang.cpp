#include "empfang.h"

#include <QIODevice>
#include <algorithm>

#include "acquisition/normdatensatz.h"

namespace pv {

namespace {

// The binary reply: 14 bytes, or 22 when byte 3 announces the long form.
constexpr int kBinaerKurz = 14;
constexpr int kBinaerLang = 22;
constexpr int kBinaerRest = 8;
constexpr char kBinaerKurzKennung = 7;
// The converted text: the value's and the unit's characters.
constexpr int kWertZeichen = 10;
constexpr int kEinheitZeichen = 5;
// Length of the request-mode reply that starts with "UU".
constexpr int kUUSatzLaenge = 19;

// Sets a flag for the life of a scope, so it is released on every path.
class Belegt {
 public:
  explicit Belegt(bool& flag) : flag_(flag) { flag_ = true; }
  ~Belegt() { flag_ = false; }
  Belegt(const Belegt&) = delete;
  Belegt& operator=(const Belegt&) = delete;

 private:
  bool& flag_;
};

}  // namespace

bool stueckAuswerten(qsizetype laenge, const Erfassungszustand& g) {
  if (!g.AutoFormat) return laenge == g.Datenstringlaenge;
  return !segmentGeraet(g.Spezial) || laenge == kSegmentDatensatzLaenge;
}

Zeilenereignis zeilenereignis(int code) {
  switch (code) {
    case kEreignisEmpfang:
    case 1: case 3: case 4: case 5: case 6: case 7:
    case kFehlerBreak: case 1002: case 1003: case 1010:
      return {};
    case kFehlerFrame:
      return {QStringLiteral("Frame-Fehler"), true};
    case kFehlerUeberlauf:
      return {QStringLiteral("Überlauffehler"), true};
    case kFehlerPufferUeberlauf:
      return {QStringLiteral("Empfangspufferüberlauf"), false};
    case kFehlerParitaet:
      return {QStringLiteral("Paritätsfehler"), true};
    default:
      return {QStringLiteral("Unbekannte COM-Meldung") + QString::number(code), true};
  }
}

QByteArray binaerantwortWandeln(const QByteArray& antwort) {
  if (antwort.size() < 4 + 3) return QByteArrayLiteral("0");
  const int angesagt = static_cast<unsigned char>(antwort[3]);
  const int laenge = std::min<int>(angesagt, antwort.size() - 4 - 3);
  QByteArray nutz = antwort.mid(4, laenge);
  nutz.replace('\0', ' ');
  if (nutz.trimmed().isEmpty()) return QByteArrayLiteral("0");
  // Characters 1-10 the value, 11-12 spare, 13-17 the unit: the short reply
  // carries the value alone, the long one (15 of its characters reach us in
  // the 22 bytes) the value and the unit.
  return nutz.left(kWertZeichen).leftJustified(kWertZeichen, ' ') + "  " +
         nutz.mid(kWertZeichen, kEinheitZeichen).leftJustified(kEinheitZeichen, ' ');
}

Empfang::Empfang(Erfassungszustand& zustand, Ziel ziel) : z_(zustand), ziel_(std::move(ziel)) {}

void Empfang::portGeoeffnet() { zaehler_ = zaehlerLesen ? zaehlerLesen() : std::nullopt; }

std::vector<int> Empfang::neueZeilenfehlerLesen() {
  // A port that kept no counters when it was opened (a pseudo-terminal, a
  // USB adapter whose driver keeps none; the kernel's FTDI driver and several
  // other USB serial drivers do keep them) is not asked again on each
  // receive event.
  if (!zaehler_ || !zaehlerLesen) return {};
  const Zeilenfehlerzaehler vorher = *zaehler_;
  zaehler_ = zaehlerLesen();
  if (!zaehler_) return {};
  return neueZeilenfehler(vorher, *zaehler_);
}

void Empfang::ereignis(int code, QIODevice& quelle, Uhr::time_point jetzt) {
  if (code == kEreignisEmpfang) {
    for (const int fehler : neueZeilenfehlerLesen()) ereignis(fehler, quelle, jetzt);
  }
  QString status;
  try {
    if (code == kEreignisEmpfang) {
      empfangen(quelle, jetzt);
    } else {
      const Zeilenereignis e = zeilenereignis(code);
      status = e.status;
      if (e.eingabeVerwerfen) {
        // One read at the current read length: all in continuous mode, one
        // character while a reply is collected.
        if (z_.GeraetAktiv) quelle.readAll(); else quelle.read(1);
      }
    }
  } catch (...) {
    status = kUebertragungsfehler;
  }
  if (!status.isEmpty() && ziel_.status) ziel_.status(status);
}

void Empfang::empfangen(QIODevice& quelle, Uhr::time_point jetzt) {
  if (quelle.bytesAvailable() <= 0 && !binaerWarten_) return;
  if (z_.GeraetAktiv) {
    fortlaufendEmpfangen(quelle);
  } else {
    anfrageEmpfangen(quelle, jetzt);
  }
}

void Empfang::abgeben(const QByteArray& datensatz) {
  if (ziel_.auswerten) ziel_.auswerten(datensatz);
}

void Empfang::anfrageEmpfangen(QIODevice& quelle, Uhr::time_point jetzt) {
  QByteArray& puffer = z_.DataCol;
  // The record is evaluated while the buffer still holds it (the debug line
  // reports its length), then the buffer is emptied.
  const auto fertig = [&](const QByteArray satz) {
    if (ziel_.antwortzeitStoppen) ziel_.antwortzeitStoppen();
    abgeben(satz);
    puffer.clear();
  };

  if (z_.AutoFormat && spezialBeginnt(z_.Spezial, u"APPA107")) {
    puffer += quelle.readAll();
    const qsizetype p = puffer.indexOf("UU");
    if (p >= 0 && puffer.size() - p >= kUUSatzLaenge) fertig(puffer.mid(p, kUUSatzLaenge));
    return;
  }
  if (z_.AutoFormat) {
    // One character at a time, so what follows the end mark stays in the
    // port for the next request to drain.
    const char ende = abschlusszeichen(z_.LZAscii);
    while ((puffer.isEmpty() || puffer.back() != ende) && quelle.bytesAvailable() > 0) {
      puffer += quelle.read(1);
    }
    if (!puffer.isEmpty() && puffer.back() == ende) fertig(puffer);
    return;
  }
  if (spezialBeginnt(z_.Spezial, u"SANWAPC5x0")) {
    QByteArray satz;
    if (!binaerLesen(quelle, jetzt, satz)) return;
    fertig(satz);
    return;
  }
  while (quelle.bytesAvailable() > 0 && puffer.size() != z_.Datenstringlaenge) {
    puffer += quelle.read(1);
  }
  if (puffer.size() == z_.Datenstringlaenge) fertig(puffer);
}

bool Empfang::binaerLesen(QIODevice& quelle, Uhr::time_point jetzt, QByteArray& datensatz) {
  QByteArray b;
  if (binaerWarten_) {
    if (quelle.bytesAvailable() < kBinaerRest) {
      if (jetzt - binaerSeit_ < binaerFrist) return false;
      // The rest of the long reply did not come in time.
      binaerWarten_ = false;
      datensatz = QByteArrayLiteral("ERROR");
      return true;
    }
    b = binaer_;
    binaerWarten_ = false;
  } else {
    // The port hands the reply on once 14 bytes are there.
    if (quelle.bytesAvailable() < kBinaerKurz) return false;
    b = quelle.read(kBinaerKurz);
    if (b.size() < 4) {
      datensatz = QByteArrayLiteral("ERROR");
      return true;
    }
    if (b[3] != kBinaerKurzKennung && quelle.bytesAvailable() < kBinaerRest) {
      binaer_ = b;
      binaerWarten_ = true;
      binaerSeit_ = jetzt;
      return false;
    }
  }
  if (b[3] != kBinaerKurzKennung) {
    const QByteArray b2 = quelle.read(kBinaerKurz);
    b.resize(kBinaerLang, '\0');
    for (int i = 0; i < 5; ++i) b[kBinaerKurz + i] = b2[i];
  }
  // A failed or missing conversion (an empty one throws) gives "ERROR".
  try {
    const QByteArray text = wandlung(b);
    if (text == "0") {
      datensatz.clear();
    } else {
      datensatz = text.left(kWertZeichen) + text.mid(kWertZeichen + 2, kEinheitZeichen);
    }
  } catch (...) {
    datensatz = QByteArrayLiteral("ERROR");
  }
  return true;
}

int Empfang::endmarke() const {
  const QByteArray& puffer = z_.DataCol;
  if (segmentGeraet(z_.Spezial)) {
    for (qsizetype i = 0; i < puffer.size(); ++i) {
      if ((static_cast<unsigned char>(puffer[i]) & 0xE0) == 0xE0) return static_cast<int>(i + 1);
    }
    return 0;
  }
  return static_cast<int>(puffer.indexOf(abschlusszeichen(z_.LZAscii)) + 1);
}

void Empfang::fortlaufendEmpfangen(QIODevice& quelle) {
  if (z_.EmpfangAktiv) return;
  QByteArray& puffer = z_.DataCol;
  puffer += quelle.readAll();
  if (puffer.size() < z_.Datenstringlaenge && !z_.AutoFormat) return;
  int p = endmarke();
  if (puffer.size() > 3 * z_.Datenstringlaenge && p == 0) {
    puffer.clear();
    if (ziel_.status) ziel_.status(kDatenabschlussFehlt);
    return;
  }
  const Belegt belegt(z_.EmpfangAktiv);
  while (p >= 1) {
    const QByteArray satz = puffer.left(p);
    if (stueckAuswerten(satz.size(), z_)) abgeben(satz);
    puffer.remove(0, std::min<qsizetype>(p, puffer.size()));
    p = endmarke();
  }
}

}  // namespace pv
