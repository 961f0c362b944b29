#pragma once

#include <QString>

namespace pv {

// Message boxes as the program uses them. Logic asks through this interface;
// the program shows real dialogs, tests answer with a fake.
enum class Knoepfe { Ok, OkAbbrechen, JaNein, JaNeinAbbrechen };
enum class Symbol { Keins, Information, Ausruf, Frage, Kritisch };
enum class Antwort { Ok, Abbrechen, Ja, Nein };

// The application title that message boxes without a title of their own carry.
inline const QString kAnwendungstitel = QStringLiteral("Pelvaron 3.1");

class Meldungen {
 public:
  virtual ~Meldungen() = default;
  // Shows a modal message box and returns the button chosen. `standard` is
  // the default button (Enter); closing the box answers like "Abbrechen" or,
  // without one, like the last button.
  virtual Antwort zeigen(const QString& text, const QString& titel, Knoepfe knoepfe,
                         Symbol symbol, Antwort standard) = 0;

  // An OK box with the application title.
  void hinweis(const QString& text, Symbol symbol = Symbol::Keins,
               const QString& titel = kAnwendungstitel) {
    zeigen(text, titel, Knoepfe::Ok, symbol, Antwort::Ok);
  }
};

// Message boxes shown with QMessageBox.
class DialogMeldungen : public Meldungen {
 public:
  Antwort zeigen(const QString& text, const QString& titel, Knoepfe knoepfe, Symbol symbol,
                 Antwort standard) override;
};

}  // namespace pv
