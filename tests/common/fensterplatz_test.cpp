#include "common/fensterplatz.h"

#include <gtest/gtest.h>

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

}  // namespace
