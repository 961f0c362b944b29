#pragma once

#include <QDialog>
#include <memory>

#include "views/drucklayout.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace pv {

class Seitenvorschau;

// The print dialog "Drucken": printer, orientation, the graph's size and
// place on the page in millimetres, copies, and a preview of the page. The
// printers are the system's, and "PDF-Datei", which writes the page into a
// PDF file (the only entry where there is no printer). One dialog serves the
// run: later showings keep what was chosen.
class FormDrucken : public QDialog {
  Q_OBJECT

 public:
  // The entry that prints into a PDF file.
  static const QString kPdfEintrag;

  explicit FormDrucken(QWidget* eltern = nullptr);
  ~FormDrucken() override;

  // 0 draws the preview, 1 prints. Failures are reported in a message box.
  // False only when printing into a PDF file was cancelled at its file name.
  bool GrafikVorschauDrucken(int16_t VorDruck);
  // "Drucken": copies, print, hide; the dialog stays when the PDF file name
  // was cancelled.
  void CommandOK_Click();
  // "Eigenschaften...": the page set-up of the printer.
  void CommandDrEig_Click();

  QPrinter& drucker() { return *drucker_; }
  // The preview's picture, as last drawn.
  const QImage& vorschaubild() const;

  // ---- controls ----
  QComboBox* Combo1 = nullptr;
  QLabel* LabelOrt = nullptr;
  QPushButton* CommandDrEig = nullptr;
  QLineEdit* Text2 = nullptr;
  QScrollBar* VScroll1 = nullptr;
  QLineEdit* TextLR = nullptr;
  QLineEdit* TextOR = nullptr;
  QLineEdit* TextBreite = nullptr;
  QLineEdit* TextHoehe = nullptr;
  QCheckBox* CheckHor = nullptr;
  QCheckBox* CheckVer = nullptr;
  QRadioButton* OptionPOH = nullptr;
  QRadioButton* OptionPOQ = nullptr;
  QLabel* PicPOH = nullptr;
  QLabel* PicPOQ = nullptr;
  QWidget* Pic1 = nullptr;
  Seitenvorschau* PicPrintPrev = nullptr;
  QCheckBox* CheckVorschauAuto = nullptr;
  QPushButton* CommandVorschau = nullptr;
  QPushButton* CommandOK = nullptr;
  QPushButton* CommandAbbrechen = nullptr;

 protected:
  void showEvent(QShowEvent* ereignis) override;

 private:
  QWidget* druckerrahmenAnlegen();
  QWidget* einstellungsrahmenAnlegen();
  QWidget* orientierungsrahmenAnlegen();
  void Combo1_Click();
  void orientierungWaehlen(bool querformat);
  // False when the page has no size (the box stays empty).
  bool seitenkastenAnlegen(bool querformat);
  void orientierungAnwenden();
  void randfeldUmschalten(QCheckBox* box, QLineEdit* feld);
  void vorschauWennAutomatisch();
  QSizeF seite() const;
  std::optional<Drucklayout> layoutLesen() const;
  // The page's record as printed: fonts grown to the page, f the graph's
  // share of it (seitenanteil).
  void druckfassung(GrafikEinstellungen& r, double f) const;
  enum class Druckausgang { Gedruckt, Fehlgeschlagen, Abgebrochen };
  // Prints on the system printer, or into a PDF file asked for here.
  Druckausgang drucken(GrafikEinstellungen r, double f);

  std::unique_ptr<QPrinter> drucker_;
};

// Applies an entry of the printer box to the printer: "PDF-Datei" prints
// into a PDF file, any other entry on the system printer of that name.
void druckerWaehlen(QPrinter& drucker, const QString& eintrag);

// Shows the one print dialog modally.
void druckfensterZeigen(QWidget* eltern);

}  // namespace pv
