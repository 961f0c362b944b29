#pragma once

#include <QImage>
#include <QMainWindow>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "acquisition/ansichten.h"
#include "views/grafikbild.h"
#include "views/grafiklogik.h"

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace pv {

// The graph window "Grafik": the current measurement as an x/y graph drawn
// by Tolvek::GrafikZeichnen with grafikParameter(), the six axis fields
// below it, and the redraw, the zoom and the deferred redraw after a resize.
// The decisions are those of views/grafiklogik.h; the window moves values
// between its controls and them.
//
// There is one window for the run. Closing it only hides it
// (hauptmodul().GrafikFensterOffen becomes false), so its state is there
// when it opens again; only the mouse modes and the current value start
// anew and the picture is drawn anew. It registers itself as the acquisition's graph
// (ansichten()) for as long as it exists.
class FormGRAFIK : public QMainWindow, public GrafikAnsicht {
  Q_OBJECT

 public:
  explicit FormGRAFIK(QWidget* parent = nullptr);
  ~FormGRAFIK() override;

  // ---- public operations ----
  // The start-up (Form_Load) followed by the layout and the deferred redraw.
  void Init() override;
  // Re-formats the three x (y) fields from one number format code to
  // another; no redraw. A field that cannot be read keeps its text. The
  // settings hold the new code already: the x fields are sized to them.
  void ZFxAendern(int16_t ZFOld, int16_t ZFNew);
  void ZFyAendern(int16_t ZFOld, int16_t ZFNew);
  // Applies display scheme 1..5 and redraws (or asks for a redraw while a
  // recording runs). Another index is reported as a run-time error.
  void MSchema_Click(int16_t Index);
  // Draws the graph anew from the axis fields.
  void NeuButton_Click() override;

  // The main window's "Grafik": loads the window when it is not open, else
  // brings it to the front. A loaded window starts as a new one (coordinate
  // mode with snapping, no lines of the mouse modes, no current value) and
  // draws the current measurement.
  void Zeigen();
  // Draws the rectangle the zoom mode left as the new view, and hides the
  // rectangle.
  void ZoomAusfuehren();
  // A change of the look: redraws at once, or while a recording runs asks
  // the next stored value to redraw.
  void NeuZeichnenOderAnfordern();
  // True while the start-up runs; the window then neither lays itself out
  // nor draws.
  bool ladenLaeuft() const { return LadenLaeuft == 1; }

  // ---- GrafikAnsicht ----
  bool Offen() const override;
  void MesswertAnzeigen(const QString& wert, const QString& einheit1, const QString& einheit2) override;
  bool MinMaxAutoX() const override;
  bool MinMaxAutoY() const override;
  void PunktZeichnen(float x, float y, int breite, uint32_t farbe) override;
  void LinieZeichnen(float x1, float y1, float x2, float y2, int breite, uint32_t farbe) override;

  // ---- state the window's tools share ----
  Ansicht VorherigeAnsicht;  // the view before the latest drawing
  bool ExportAktiv = false;  // the next redraw draws on picExport
  bool VorschauGeglaettet = false;  // the next redraw plots YGeglaettet
  std::vector<float> YGeglaettet;   // 1-based like y
  Mausmodi maus;  // the mouse modes' state and the lines they show

  // ---- menus (grafikfenster_werkzeuge.cpp) ----
  void MMesspkte_Click();
  void MVerbunden_Click();
  void MxGitter_Click();
  void MyGitter_Click();
  // 0 automatic, 1 every value, 2 asks for the step width.
  void MWDarst_Click(int16_t Index);
  void MNeuzeichnen_Click();
  void MVorhAns_Click();
  void MMinMax_Click();
  void MMittelArithm_Click();
  void mnuKurveGlaetten_Click();
  // 0 a bitmap file, 1 the clipboard.
  void mnuGrafikExp_Click(int16_t Index);
  void MGrDruck_Click();
  void MOptionen_Click();
  void MDifferenzieren_Click();

  // ---- mouse modes (grafikfenster_werkzeuge.cpp) ----
  void GRAF_MouseDown(int taste, QPointF wert);
  void GRAF_MouseMove(int tasten, QPointF wert);
  void GRAF_MouseUp(int taste);
  void OptionZoom_Click();
  void OptionKoordinaten_Click();
  void OptionFlaecheninhalt_Click();

  // Called with the step number before each step of the start-up; a test
  // makes a step fail through it.
  std::function<void(int schritt)> ladeschritt;

  // The help topic of the window.
  static constexpr int16_t kHilfekontext = 50;

  // ---- controls (names as the rest of the program knows them) ----
  GrafikBild* GRAF = nullptr;
  Bildflaeche picExport;  // drawing target of the graph export
  QFrame* Line1 = nullptr;
  QFrame* Line2 = nullptr;
  QWidget* PicStatusSammlung = nullptr;
  QLabel* LabelMultiF = nullptr;
  QLabel* LabelStep = nullptr;
  QLabel* LabelR = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* lblMesswert = nullptr;
  QLabel* lblEinheit1 = nullptr;
  QLabel* lblEinheit2 = nullptr;
  QGroupBox* FrameAchseX = nullptr;
  QLineEdit* TextMinimumX = nullptr;
  QLineEdit* TextMaximumX = nullptr;
  QLineEdit* TextIntervallX = nullptr;
  QCheckBox* CheckMinMaxAutoX = nullptr;
  QCheckBox* CheckIntervallAutoX = nullptr;
  QGroupBox* FrameAchseY = nullptr;
  QLineEdit* TextMinimumY = nullptr;
  QLineEdit* TextMaximumY = nullptr;
  QLineEdit* TextIntervallY = nullptr;
  QCheckBox* CheckMinMaxAutoY = nullptr;
  QCheckBox* CheckIntervallAutoY = nullptr;
  QPushButton* NeuButton = nullptr;
  QGroupBox* Frame1 = nullptr;  // "Mausaktion"
  QRadioButton* OptionZoom = nullptr;
  QRadioButton* OptionKoordinaten = nullptr;
  QRadioButton* OptionFlaecheninhalt = nullptr;
  QCheckBox* CheckMWRasten = nullptr;
  QTimer* Timer1 = nullptr;  // deferred redraw after a resize

  // ---- menus ----
  QAction* MNeuzeichnen = nullptr;
  QAction* MVorhAns = nullptr;
  QAction* MDifferenzieren = nullptr;
  QAction* MGrDruck = nullptr;
  QAction* MEnde = nullptr;
  QAction* MxGitter = nullptr;
  QAction* MyGitter = nullptr;
  QAction* MMesspkte = nullptr;
  QAction* MVerbunden = nullptr;
  std::array<QAction*, 6> MSchema{};   // 1..5
  std::array<QAction*, 3> MWDarst{};   // 0 automatic, 1 every value, 2 typed
  QAction* MOptionen = nullptr;
  QAction* MMinMax = nullptr;
  QAction* MMittelArithm = nullptr;
  QAction* mnuKurveGlaetten = nullptr;
  std::array<QAction*, 2> mnuGrafikExp{};
  QAction* mnuHilfe = nullptr;

 protected:
  void resizeEvent(QResizeEvent* ereignis) override;
  void changeEvent(QEvent* ereignis) override;
  void closeEvent(QCloseEvent* ereignis) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void menuesAnlegen();
  QWidget* statusleisteAnlegen();
  QGroupBox* achsenrahmenAnlegen(const QString& titel, QLineEdit*& minimum, QLineEdit*& maximum,
                                 QLineEdit*& intervall, QCheckBox*& minMaxAuto, QCheckBox*& intervallAuto);

  void Form_Load();
  void Form_Resize();
  void Form_Unload();
  void Timer1_Timer();
  void werkzeugeVerbinden();
  Mauskontext mauskontext() const;
  // The mouse modes as a new window has them.
  void mausmodiNeu();
  void mausergebnisZeigen(const Mausergebnis& e);
  // The visible values, or a message that there are none.
  std::optional<Indexbereich> sichtbareWerte();

  Grafikfelder felder() const;
  void felderSetzen(const Grafikfelder& f);
  // The x range fields as wide as the longest text of the x format.
  void xFelderBemessen(const Achsenformat& format);
  Feldumgebung feldumgebung() const;
  void ergebnisZeigen(const Zeichenergebnis& r);
  void schrittweiteMarkieren(int index);

  int16_t LadenLaeuft = 0;
  bool WarMinimiert = false;
};

}  // namespace pv
