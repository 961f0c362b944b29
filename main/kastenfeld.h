#pragma once

#include <QLabel>

namespace pv {

// A label with a frame of one pixel that it paints itself (rahmenMalen), so
// that the frame shows whole on every side at any device pixel ratio, where
// the style's frame loses its top and left side at 1.5. The contents keep
// the place a one-pixel frame leaves them.
class Kastenfeld : public QLabel {
  Q_OBJECT

 public:
  enum class Rand {
    Flach,     // one colour all round, as the picture boxes' frame
    Vertieft,  // dark above and left, light below and right: sunk in
  };
  explicit Kastenfeld(Rand rand, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* ereignis) override;

 private:
  Rand rand_;
};

}  // namespace pv
