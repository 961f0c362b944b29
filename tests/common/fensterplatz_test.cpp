#include "common/fensterplatz.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <QWindow>
#include <vector>

#include "support/pseudoterminal.h"

namespace {

using Tolvek::Fensterplatz;

// A 1280x1024 screen with a 30-pixel panel at the top.
const QRect kBereich(0, 30, 1280, 994);

TEST(RahmenImArbeitsbereich, TheFrameEndsWhollyOnTheWorkAreaCaptionFirst) {
  const struct {
    const char* fall;
    QRect rahmen;
    Fensterplatz platz;
    QSize mindestens;
    QRect erwartet;
  } faelle[] = {
      {"inside: stays", {100, 100, 600, 400}, Fensterplatz::Behalten, {}, {100, 100, 600, 400}},
      {"over the right and bottom edges: moved in", {900, 800, 600, 400}, Fensterplatz::Behalten, {},
       {680, 624, 600, 400}},
      {"caption under the panel: moved down", {50, 0, 600, 400}, Fensterplatz::Behalten, {}, {50, 30, 600, 400}},
      {"larger than the work area: as large as it", {-1, -20, 1282, 1049}, Fensterplatz::Behalten, {}, kBereich},
      {"its smallest frame does not fit: top left corner on it", {300, 300, 600, 400}, Fensterplatz::Behalten,
       {1300, 1100}, {0, 30, 1300, 1100}},
      {"centred", {0, 0, 600, 400}, Fensterplatz::Mitte, {}, {340, 327, 600, 400}},
      {"covering the work area", {5, 5, 600, 400}, Fensterplatz::Arbeitsbereich, {}, kBereich},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(Tolvek::RahmenImArbeitsbereich(f.rahmen, f.platz, kBereich, f.mindestens), f.erwartet) << f.fall;
}

// One event while a window just shown waits for its frame: its exposure
// (or move or resize) with the frame Qt measures, the announcement of its
// frame, or its hiding.
struct Schritt {
  enum { Fenster, Meldung, Versteckt } art;
  bool erschienen;
  std::optional<QMargins> rahmen;
};
Schritt fenster(bool erschienen, QMargins gemessen = {}) { return {Schritt::Fenster, erschienen, gemessen}; }
Schritt meldung(std::optional<QMargins> rahmen) { return {Schritt::Meldung, false, rahmen}; }
const Schritt versteckt{Schritt::Versteckt, false, {}};

// The window's exposure and the announcement of its frame come in either
// order after a showing; the later one places it.
TEST(Rahmenwarten, PlacesOnceWhenTheWindowIsOnTheScreenWithItsFrame) {
  const QMargins f(2, 30, 2, 2);
  const QMargins g(1, 10, 1, 1);
  const struct {
    const char* fall;
    bool werdenGemeldet;
    std::optional<QMargins> schonGemeldet;
    std::vector<Schritt> schritte;
    std::vector<std::pair<int, QMargins>> platziert;  // step, frame
  } faelle[] = {
      {"announced, then on the screen", true, {}, {meldung(f), fenster(true, g)}, {{1, f}}},
      {"on the screen, then announced", true, {}, {fenster(true, g), meldung(f)}, {{1, f}}},
      {"announced before the showing", true, f, {fenster(false), fenster(true)}, {{1, f}}},
      {"hidden first", true, {}, {fenster(true), versteckt, meldung(f)}, {}},
      {"placed once only", true, {}, {fenster(true), meldung(f), fenster(true), meldung(g)}, {{1, f}}},
      {"no announcements: as measured", false, {}, {fenster(false, g), fenster(true, f)}, {{1, f}}},
      {"no window manager: no frame", false, {}, {fenster(true)}, {{0, {}}}},
  };
  for (const auto& fall : faelle) {
    Tolvek::Rahmenwarten warten;
    warten.gezeigt(fall.werdenGemeldet, fall.schonGemeldet);
    std::vector<std::pair<int, QMargins>> platziert;
    for (int i = 0; i < static_cast<int>(fall.schritte.size()); ++i) {
      const Schritt& s = fall.schritte[i];
      std::optional<QMargins> rand;
      if (s.art == Schritt::Fenster) rand = warten.fensterGeaendert(s.erschienen, *s.rahmen);
      if (s.art == Schritt::Meldung) rand = warten.rahmenGemeldet(s.rahmen);
      if (s.art == Schritt::Versteckt) warten.versteckt();
      if (rand) platziert.emplace_back(i, *rand);
    }
    EXPECT_EQ(platziert, fall.platziert) << fall.fall;
  }
}

class Gemeldet : public Tolvek::Rahmenmeldungen {
 public:
  bool werdenGemeldet(WId) override { return true; }
  std::optional<QMargins> rahmen(WId) override { return rahmen_; }
  std::optional<QMargins> rahmen_;
};

// A window shown with its caption at the screen's top edge is moved down
// by its caption once the frame is announced, whether the window appears
// on the screen before or after the announcement.
TEST(FensterEinpassen, AWindowIsPlacedByItsFrameWhenItAppearsOrItsFrameIsAnnounced) {
  for (const bool meldungZuletzt : {false, true}) {
    Gemeldet meldungen;
    Tolvek::RahmenmeldungenSetzen(&meldungen);
    QWidget fenster;
    fenster.setGeometry(100, 0, 200, 100);
    Tolvek::FensterEinpassen(fenster);
    fenster.show();
    ASSERT_FALSE(fenster.windowHandle()->isExposed());
    const auto melden = [&] {
      meldungen.rahmen_ = QMargins(0, 40, 0, 0);
      emit meldungen.gemeldet(fenster.winId());
    };
    if (!meldungZuletzt) melden();
    ASSERT_TRUE(pvtest::warteBis([&] { return fenster.windowHandle()->isExposed(); }));
    if (meldungZuletzt) melden();
    EXPECT_TRUE(pvtest::warteBis([&] { return fenster.geometry().y() == 40; })) << "announced last: " << meldungZuletzt;
  }
}

}  // namespace
