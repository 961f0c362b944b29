#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

#include "acquisition/ansichten.h"
#include "views/displaylayout.h"

class QCheckBox;
class QGroupBox;
class QLabel;
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
  QGroupBox* FrameAnzeige = nullptr;
  QRadioButton* OptionMessgeraet = nullptr;
  QRadioButton* OptionMesswert = nullptr;
  std::array<QLabel*, 5> PicCmdLEDLCD{};
  QGroupBox* FrameSchrift = nullptr;
  QCheckBox* CheckFett = nullptr;
  QCheckBox* CheckDigital = nullptr;
  QGroupBox* FrameHintergrund = nullptr;
  QRadioButton* OptionBGHell = nullptr;
  QRadioButton* OptionBGDunkel = nullptr;
  QPushButton* CommandDisplAus = nullptr;

  static constexpr int16_t kHilfekontext = 900;

 protected:
  void resizeEvent(QResizeEvent* ereignis) override;
  void closeEvent(QCloseEvent* ereignis) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void leisteBauen();
  // The controls at their designed places, before the first layout.
  void entwurfAnordnen();
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
