// Cutting received characters into records, driven with byte chunks as the
// port would hand them over.
#include "acquisition/empfang.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <climits>
#include <vector>

namespace {

using pv::Empfang;
using pv::Erfassungszustand;

struct Mitschrift {
  std::vector<QByteArray> saetze;
  std::vector<QString> status;
  int gestoppt = 0;
};

class Rahmen {
 public:
  explicit Rahmen(Erfassungszustand z) : z_(std::move(z)) {
    Empfang::Ziel ziel;
    ziel.auswerten = [this](const QByteArray& s) { m.saetze.push_back(s); };
    ziel.antwortzeitStoppen = [this] { ++m.gestoppt; };
    ziel.status = [this](const QString& s) { m.status.push_back(s); };
    empfang = std::make_unique<Empfang>(z_, ziel);
  }
  // One port event with these bytes waiting; what the event leaves unread
  // stays waiting for the next one, as in the port's buffer.
  void ankommen(const QByteArray& daten, int code = pv::kEreignisEmpfang,
                Empfang::Uhr::time_point jetzt = Empfang::Uhr::now()) {
    warten_ += daten;
    QByteArray daten_ = warten_;
    QBuffer puffer(&daten_);
    puffer.open(QIODevice::ReadOnly);
    empfang->ereignis(code, puffer, jetzt);
    warten_ = daten_.mid(puffer.pos());
  }
  const QByteArray& wartend() const { return warten_; }

  Erfassungszustand z_;
  std::unique_ptr<Empfang> empfang;
  Mitschrift m;

 private:
  QByteArray warten_;
};

Erfassungszustand fortlaufend(int laenge, bool auto_, int ende = 13, QString spezial = {}) {
  Erfassungszustand z;
  z.GeraetAktiv = true;
  z.Datenstringlaenge = static_cast<int16_t>(laenge);
  z.AutoFormat = auto_;
  z.LZAscii = static_cast<int16_t>(ende);
  z.Spezial = std::move(spezial);
  return z;
}

Erfassungszustand anfrage(int laenge, bool auto_, int ende = 13, QString spezial = {}) {
  Erfassungszustand z = fortlaufend(laenge, auto_, ende, std::move(spezial));
  z.GeraetAktiv = false;
  return z;
}

TEST(EmpfangFortlaufend, CutsRecordsAtTheEndMarkAndKeepsTheRest) {
  Rahmen r(fortlaufend(12, true));
  r.ankommen("DC -1.234 V\rDC  2.000 V\rDC  3.");
  ASSERT_EQ(r.m.saetze.size(), 2u);
  EXPECT_EQ(r.m.saetze[0], "DC -1.234 V\r");
  EXPECT_EQ(r.m.saetze[1], "DC  2.000 V\r");
  EXPECT_EQ(r.z_.DataCol, "DC  3.");
  r.ankommen("000 V\r");
  ASSERT_EQ(r.m.saetze.size(), 3u);
  EXPECT_EQ(r.m.saetze[2], "DC  3.000 V\r");
  EXPECT_FALSE(r.z_.EmpfangAktiv);
  EXPECT_TRUE(r.m.status.empty());
}

TEST(EmpfangFortlaufend, FixedLengthDropsPiecesOfAnotherLength) {
  Rahmen r(fortlaufend(5, false));
  r.ankommen("12\r1234\rABC\r");
  ASSERT_EQ(r.m.saetze.size(), 1u);
  EXPECT_EQ(r.m.saetze[0], "1234\r");
  EXPECT_TRUE(r.m.status.empty());
  // Below the record length nothing is looked at yet.
  r.ankommen("12\r");
  EXPECT_EQ(r.z_.DataCol, "12\r");
}

TEST(EmpfangFortlaufend, MissingEndMarkDropsTheBufferBeyondThreeRecords) {
  Rahmen r(fortlaufend(14, false));
  r.ankommen(QByteArray(42, 'x'));
  EXPECT_TRUE(r.m.status.empty());
  r.ankommen("x");
  ASSERT_EQ(r.m.status.size(), 1u);
  EXPECT_EQ(r.m.status[0], pv::kDatenabschlussFehlt);
  EXPECT_TRUE(r.z_.DataCol.isEmpty());
}

TEST(EmpfangFortlaufend, SegmentRecordsEndAtTheFirstHighByteAndMustBeWhole) {
  QByteArray satz;
  for (int i = 0; i < 14; ++i) satz += static_cast<char>(((i + 1) << 4) | 0x01);
  // The tail of a record that was cut by connecting comes first.
  Rahmen r(fortlaufend(14, true, 10, QStringLiteral("vc820")));
  r.ankommen(satz.right(5) + satz + satz.left(3));
  ASSERT_EQ(r.m.saetze.size(), 1u);
  EXPECT_EQ(r.m.saetze[0], satz);
  EXPECT_EQ(r.z_.DataCol, satz.left(3));

  Rahmen dt(fortlaufend(14, true, 13, QStringLiteral("DT4000ZC")));
  dt.ankommen(satz);
  EXPECT_EQ(dt.m.saetze.size(), 1u);
}

TEST(EmpfangFortlaufend, AFailingEvaluationDoesNotStallReception) {
  Rahmen r(fortlaufend(3, true));
  Empfang::Ziel ziel;
  int aufrufe = 0;
  ziel.auswerten = [&](const QByteArray&) {
    if (++aufrufe == 1) throw std::runtime_error("kaputt");
  };
  ziel.status = [&](const QString& s) { r.m.status.push_back(s); };
  Empfang e(r.z_, ziel);
  QByteArray daten = "a\rb\r";
  QBuffer b(&daten);
  b.open(QIODevice::ReadOnly);
  e.ereignis(pv::kEreignisEmpfang, b);
  EXPECT_FALSE(r.z_.EmpfangAktiv);
  ASSERT_EQ(r.m.status.size(), 1u);
  EXPECT_EQ(r.m.status[0], pv::kUebertragungsfehler);
  QByteArray weiter = "c\r";
  QBuffer b2(&weiter);
  b2.open(QIODevice::ReadOnly);
  e.ereignis(pv::kEreignisEmpfang, b2);
  EXPECT_GE(aufrufe, 2);
}

TEST(EmpfangAnfrage, TerminatedReplyInTwoPiecesGivesOneRecord) {
  Rahmen r(anfrage(12, true));
  r.ankommen("DC -1.2");
  EXPECT_TRUE(r.m.saetze.empty());
  r.ankommen("34 V\rDC");
  ASSERT_EQ(r.m.saetze.size(), 1u);
  EXPECT_EQ(r.m.saetze[0], "DC -1.234 V\r");
  EXPECT_EQ(r.m.gestoppt, 1);
  // What follows the end mark stays in the port.
  EXPECT_EQ(r.wartend(), "DC");
}

TEST(EmpfangAnfrage, FixedLengthStopsAtTheRecordLength) {
  Rahmen r(anfrage(5, false));
  r.ankommen("12");
  EXPECT_TRUE(r.m.saetze.empty());
  r.ankommen("34\r99");
  ASSERT_EQ(r.m.saetze.size(), 1u);
  EXPECT_EQ(r.m.saetze[0], "1234\r");
  EXPECT_EQ(r.wartend(), "99");
}

TEST(EmpfangAnfrage, UUReplyIsTakenFromItsStart) {
  const QByteArray satz = "UU" + QByteArray(17, 'a');
  Rahmen r(anfrage(19, true, 13, QStringLiteral("APPA107")));
  r.ankommen("xy" + satz.left(12));
  EXPECT_TRUE(r.m.saetze.empty());
  r.ankommen(satz.mid(12));
  ASSERT_EQ(r.m.saetze.size(), 1u);
  EXPECT_EQ(r.m.saetze[0], satz);
}

QByteArray binaer(char art, const QByteArray& nutz) {
  QByteArray b("\x10\x02\x42", 3);
  b += art;
  b += nutz;
  b += QByteArray("\x67\x10\x03", 3);
  return b;
}

TEST(EmpfangAnfrage, BinaryRepliesGoThroughTheConverter) {
  Rahmen r(anfrage(15, false, 13, QStringLiteral("SANWAPC5x0")));
  std::vector<QByteArray> gewandelt;
  r.empfang->wandlung = [&](const QByteArray& b) {
    gewandelt.push_back(b);
    return pv::binaerantwortWandeln(b);
  };
  // Short reply: 14 bytes to the converter.
  r.ankommen(binaer(7, " 1.2345"));
  ASSERT_EQ(gewandelt.size(), 1u);
  EXPECT_EQ(gewandelt[0].size(), 14);
  ASSERT_EQ(r.m.saetze.size(), 1u);
  EXPECT_EQ(r.m.saetze[0], " 1.2345        ");

  // Long reply in two pieces: 22 bytes, the last three zero.
  const QByteArray lang = binaer(15, "   -12.345 mV  ");
  auto t0 = Empfang::Uhr::now();
  r.ankommen(lang.left(14), pv::kEreignisEmpfang, t0);
  EXPECT_EQ(r.m.saetze.size(), 1u);
  r.ankommen(lang.mid(14), pv::kEreignisEmpfang, t0 + std::chrono::milliseconds(100));
  ASSERT_EQ(gewandelt.size(), 2u);
  EXPECT_EQ(gewandelt[1].size(), 22);
  EXPECT_EQ(gewandelt[1].right(3), QByteArray(3, '\0'));
  ASSERT_EQ(r.m.saetze.size(), 2u);
  EXPECT_EQ(r.m.saetze[1], "   -12.345 mV  ");

  // The rest of a long reply that never comes ends as "ERROR".
  r.ankommen(lang.left(14), pv::kEreignisEmpfang, t0);
  r.ankommen("x", pv::kEreignisEmpfang, t0 + std::chrono::seconds(4));
  ASSERT_EQ(r.m.saetze.size(), 3u);
  EXPECT_EQ(r.m.saetze[2], "ERROR");

  // A reply without a value is the empty record.
  Rahmen leer(anfrage(15, false, 13, QStringLiteral("SANWAPC5x0")));
  leer.ankommen(binaer(7, QByteArray(7, '\0')));
  ASSERT_EQ(leer.m.saetze.size(), 1u);
  EXPECT_TRUE(leer.m.saetze[0].isEmpty());

  // Without a converter the reply is "ERROR".
  leer.empfang->wandlung = nullptr;
  leer.ankommen(binaer(7, " 1.2345"));
  ASSERT_EQ(leer.m.saetze.size(), 2u);
  EXPECT_EQ(leer.m.saetze[1], "ERROR");
}

TEST(EmpfangZeilenfehler, StatusTextsAndWhatIsDiscarded) {
  struct Fall {
    const char* name;
    int code;
    QString status;
    qsizetype bleibt;  // of "abc" waiting, in request mode
  };
  const Fall faelle[] = {
      {"framing", pv::kFehlerFrame, QStringLiteral("Frame-Fehler"), 2},
      {"overrun", pv::kFehlerUeberlauf, QStringLiteral("Überlauffehler"), 2},
      {"buffer overflow keeps input", pv::kFehlerPufferUeberlauf, QStringLiteral("Empfangspufferüberlauf"), 3},
      {"parity", pv::kFehlerParitaet, QStringLiteral("Paritätsfehler"), 2},
      {"unknown code", 1007, QStringLiteral("Unbekannte COM-Meldung1007"), 2},
      {"break is passed over", pv::kFehlerBreak, QString(), 3},
      {"ring is passed over", 6, QString(), 3},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    Rahmen r(anfrage(5, false));
    r.ankommen("abc", f.code);
    if (f.status.isEmpty()) {
      EXPECT_TRUE(r.m.status.empty());
    } else {
      ASSERT_EQ(r.m.status.size(), 1u);
      EXPECT_EQ(r.m.status[0], f.status);
    }
    EXPECT_EQ(r.wartend().size(), f.bleibt);
  }
}

}  // namespace

// The port reports no line errors itself: each rise of a counter between two
// receive events raises its line event before the characters are cut.
TEST(EmpfangZeilenfehler, RisingCountersRaiseTheirEvents) {
  using Z = pv::Zeilenfehlerzaehler;
  struct Fall {
    const char* name;
    Z danach;  // the counters at the receive event; at the open all are 1
    std::vector<QString> status;
    qsizetype bleibt;  // of "abc" waiting, in request mode, before the reply is read
  };
  const Fall faelle[] = {
      {"framing", {2, 1, 1, 1}, {QStringLiteral("Frame-Fehler")}, 2},
      {"overrun", {1, 2, 1, 1}, {QStringLiteral("Überlauffehler")}, 2},
      {"buffer overflow keeps input", {1, 1, 3, 1}, {QStringLiteral("Empfangspufferüberlauf")}, 3},
      {"parity", {1, 1, 1, 2}, {QStringLiteral("Paritätsfehler")}, 2},
      {"two at once", {2, 1, 1, 2}, {QStringLiteral("Frame-Fehler"), QStringLiteral("Paritätsfehler")}, 1},
      {"none rose", {1, 1, 1, 1}, {}, 3},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    Rahmen r(anfrage(5, false));
    std::optional<Z> stand = Z{1, 1, 1, 1};
    r.empfang->zaehlerLesen = [&stand] { return stand; };
    r.empfang->portGeoeffnet();
    stand = f.danach;
    r.ankommen("abc");
    EXPECT_EQ(r.m.status, f.status);
    EXPECT_EQ(r.z_.DataCol.size(), f.bleibt);
    // Read again unchanged, or from a port that keeps no counters: nothing.
    r.m.status.clear();
    r.ankommen("d");
    stand.reset();
    r.ankommen("e");
    EXPECT_TRUE(r.m.status.empty());
  }
}

// Which of the system's counters raises which event, each from its highest
// value on to where it wraps.
TEST(EmpfangZeilenfehler, TheSystemsCountersAndTheirEvents) {
  const std::pair<int serial_icounter_struct::*, int> zeilen[] = {
      {&serial_icounter_struct::frame, pv::kFehlerFrame},
      {&serial_icounter_struct::overrun, pv::kFehlerUeberlauf},
      {&serial_icounter_struct::buf_overrun, pv::kFehlerPufferUeberlauf},
      {&serial_icounter_struct::parity, pv::kFehlerParitaet},
  };
  serial_icounter_struct vorher{};
  for (const auto& [zaehler, code] : zeilen) vorher.*zaehler = INT_MAX;
  for (const auto& [zaehler, code] : zeilen) {
    serial_icounter_struct jetzt = vorher;
    jetzt.*zaehler = INT_MIN;
    EXPECT_EQ(pv::neueZeilenfehler(pv::zeilenfehlerzaehler(vorher), pv::zeilenfehlerzaehler(jetzt)),
              std::vector<int>{code});
  }
}
