#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>
#include <cstdint>

// Small rules of the main window that need no window: the computer
// pictures, fitting a picture into its box, and the hidden service keys.
namespace pv {

// The computer pictures are numbered 0..kComputerbilder - 1.
inline constexpr int16_t kComputerbilder = 3;
// The computer picture after `bild` (0 -> 1 -> 2 -> 0); a stored number
// outside 0..2, negative ones too, is first brought into that range.
int16_t naechstesComputerbild(int16_t bild);
QString computerbildDatei(int16_t bild);  // "PC0.gif" ...
// The status text when a computer picture is missing.
QString computerbildFehlt(int16_t bild);

// Where a picture of size `bild` goes: fitted into `hMax` x `wMax` keeping
// its proportions (-1: no limit on that side; never enlarged), then placed
// by `ausrichtung` against `punkt`: "LM" left edge at the point, centred
// vertically; "RU" lower right corner at the point; "ZM" centred on it;
// any other code keeps the top left corner of `bisher`.
QRect bildPlatzieren(QSize bild, const QString& ausrichtung, QPoint punkt, QRect bisher, int hMax = -1,
                     int wMax = -1);

// The hidden service keys: Ctrl+Alt (and no Shift) with S, A or D.
enum class Diensttaste { Keine, Simulation, Animation, Debug };
Diensttaste diensttaste(int taste, Qt::KeyboardModifiers umschalter);

}  // namespace pv
