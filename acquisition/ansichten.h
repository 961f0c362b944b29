#pragma once

#include <QString>
#include <cstdint>

namespace pv {

// What the acquisition needs of the graph window, the large display and the
// table window. Each window implements its part and registers itself in
// ansichten() for the whole run; the acquisition updates a window only while
// it is registered and reports itself open. Nothing registered: the updates
// are skipped.

// Graph window.
class GrafikAnsicht {
 public:
  virtual ~GrafikAnsicht() = default;
  // The window is open (its shared "open" flag).
  virtual bool Offen() const = 0;
  // Its value label and its two unit labels.
  virtual void MesswertAnzeigen(const QString& wert, const QString& einheit1, const QString& einheit2) = 0;
  // Re-initialises the window (open flag, default ranges, running ranges
  // while recording, layout, deferred redraw).
  virtual void Init() = 0;
  // Draws the graph anew from the window's fields.
  virtual void NeuButton_Click() = 0;
  // The automatic range boxes of the x and y axis are checked.
  virtual bool MinMaxAutoX() const = 0;
  virtual bool MinMaxAutoY() const = 0;
  // A point or a line on the drawing surface, in the coordinates of the last
  // drawing; breite is the pen width in pixels, farbe 0x00BBGGRR. The surface
  // returns to width 1 afterwards.
  virtual void PunktZeichnen(float x, float y, int breite, uint32_t farbe) = 0;
  virtual void LinieZeichnen(float x1, float y1, float x2, float y2, int breite, uint32_t farbe) = 0;
};

// Large display.
class GrossanzeigeAnsicht {
 public:
  virtual ~GrossanzeigeAnsicht() = default;
  virtual bool Offen() const = 0;
  // Its own choice: show the instrument's value (true) or the processed one.
  virtual bool MessgeraetGewaehlt() const = 0;
  virtual void MesswertAnzeigen(const QString& wert, const QString& einheit1, const QString& einheit2) = 0;
};

// Table window with its three-column grid (number, time, value). Rows and
// columns count from 0; row 0 is the header.
class TabellenAnsicht {
 public:
  virtual ~TabellenAnsicht() = default;
  virtual bool Offen() const = 0;
  // "Append rows while recording" is checked.
  virtual bool AutoAnhaengen() const = 0;
  // The to-field of the shown range.
  virtual void BisTextSetzen(const QString& text) = 0;
  // Appends a row whose first cell holds the text.
  virtual void ZeileAnhaengen(const QString& ersteZelle) = 0;
  virtual int Zeilenzahl() const = 0;
  virtual void ZelleSetzen(int zeile, int spalte, const QString& text) = 0;
  virtual void AktuelleZelleSetzen(int zeile, int spalte) = 0;
  virtual void ObersteZeileSetzen(int zeile) = 0;
};

// The registered windows; a window that is not there counts as closed.
struct Ansichten {
  GrafikAnsicht* grafik = nullptr;
  GrossanzeigeAnsicht* grossanzeige = nullptr;
  TabellenAnsicht* tabelle = nullptr;

  GrafikAnsicht* offeneGrafik() const { return grafik && grafik->Offen() ? grafik : nullptr; }
  GrossanzeigeAnsicht* offeneGrossanzeige() const {
    return grossanzeige && grossanzeige->Offen() ? grossanzeige : nullptr;
  }
  TabellenAnsicht* offeneTabelle() const { return tabelle && tabelle->Offen() ? tabelle : nullptr; }
};

inline Ansichten& ansichten() {
  static Ansichten registriert;
  return registriert;
}

}  // namespace pv
