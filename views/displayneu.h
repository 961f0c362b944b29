#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

#include "acquisition/ansichten.h"
#include "views/displaylayout.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace pv {

// One of the display's boxes: a coloured area with one text drawn in it.
class Anzeigefeld : public QWidget {
  Q_OBJECT

 public:
  explicit Anzeigefeld(QWidget* parent = nullptr);
  void farbenSetzen(const QColor& hintergrund, const QColor& text);
  // Draws `text` at `platz` in the box's font (at platz.groesse).
  void zeichnen(const QString& text, const Textplatz& platz);
  const QString& text() const { return text_; }
  const Textplatz& platz() const { return platz_; }

 signals:
  void doppelklick();

 protected:
  void paintEvent(QPaintEvent* ereignis) override;
  void mouseDoubleClickEvent(QMouseEvent* ereignis) override;

 private:
  QColor hintergrund_;
  QColor textfarbe_;
  QString text_;
  Textplatz platz_;
};

// A frame of the option strip drawn the classic way: its title sits on the
// frame line, so the strip's designed height holds a title, the value source
// and the row of style buttons. Colours from its palette.
class Rahmen : public QGroupBox {
  Q_OBJECT

 public:
  using QGroupBox::QGroupBox;
  // The area below the title, inside the frame line.
  QRect inhalt() const;

 protected:
  void paintEvent(QPaintEvent* ereignis) override;

 private:
  static constexpr int kTitelEinzug = 6;
};

// A style button of the display: its caption on its style's colours. Like
// a button it acts on a click, when the mouse is released over it after a
// press on it, not on the press alone.
class Stilknopf : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void geklickt();

 protected:
  void mousePressEvent(QMouseEvent* ereignis) override;
  void mouseReleaseEvent(QMouseEvent* ereignis) override;

 private:
  bool gedrueckt_ = false;
};

// The large display "DISPLAY": the measurement name, a coloured panel with
// the value and the two units in large characters fitted to the window's
// size, and a strip with the display options (value source, five styles,
// bold, digital font, light or dark background). The options are the
// settings the settings file keeps, so a reopened window looks the same.
//
// The window registers itself as the acquisition's large display while it
// exists; hauptmodul().DisplayOffen is true from the end of its opening
// until it closes. "Display AUS" and the close box close and delete it.
class DisplayNeu : public QWidget, public GrossanzeigeAnsicht {
  Q_OBJECT

 public:
  explicit DisplayNeu(QWidget* parent = nullptr);
  ~DisplayNeu() override;

  // The main window's "Display": shows the window over the desktop's work
  // area (the name is taken from the main window now).
  void Zeigen();

  // ---- GrossanzeigeAnsicht ----
  bool Offen() const override;
  bool MessgeraetGewaehlt() const override;
  void MesswertAnzeigen(const QString& wert, const QString& einheit1, const QString& einheit2) override;

  // The hidden texts; setting one draws it.
  void LabelMesswertSetzen(const QString& text);
  void LabelEinheit1Setzen(const QString& text);
  void LabelEinheit2Setzen(const QString& text);
  void LabelMessBezSetzen(const QString& text);
  // The value's alignment: double-click steps left -> right -> centred.
  Ausrichtung ausrichtung() const { return ausrichtung_; }
  void LabelMesswert_DblClick();

  // The option handlers.
  void PicCmdLEDLCD_Click(int16_t index);
  void CheckFett_Click();
  void CheckDigital_Click();
  void OptionBG_Click(bool hell);

  // Whether a font of that name (any letter case) is installed.
  static bool schriftInstalliert(const QString& name);

  // ---- controls ----
  QLabel* LabelMessBez = nullptr;
  QWidget* ShapeBG1 = nullptr;
  Anzeigefeld* PicMW = nullptr;
  Anzeigefeld* picEinheit1 = nullptr;
  Anzeigefeld* picEinheit2 = nullptr;
  Rahmen* FrameAnzeige = nullptr;
  QRadioButton* OptionMessgeraet = nullptr;
  QRadioButton* OptionMesswert = nullptr;
  std::array<Stilknopf*, 5> PicCmdLEDLCD{};  // by style index
  Rahmen* FrameSchrift = nullptr;
  QCheckBox* CheckFett = nullptr;
  QCheckBox* CheckDigital = nullptr;
  Rahmen* FrameHintergrund = nullptr;
  QRadioButton* OptionBGHell = nullptr;
  QRadioButton* OptionBGDunkel = nullptr;
  QPushButton* CommandDisplAus = nullptr;

  static constexpr int16_t kHilfekontext = 900;

 protected:
  void resizeEvent(QResizeEvent* ereignis) override;
  void closeEvent(QCloseEvent* ereignis) override;

 private:
  void leisteBauen();
  // The controls at their designed places, before the first layout.
  void entwurfAnordnen();
  // Places the strip's controls for its current width.
  void leisteAnordnen();
  // The layout and the font fitting for the current size.
  void layout();
  void wertZeichnen();
  void einheitZeichnen(Anzeigefeld* feld, const QString& text);
  void schriftSetzen(const QString& familie, bool fett);

  bool ladevorgang_ = true;
  QString wert_;
  QString einheit1_;
  QString einheit2_;
  Ausrichtung ausrichtung_ = Ausrichtung::Mitte;
};

}  // namespace pv
