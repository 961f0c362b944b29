#include "meldungen.h"

#include <QApplication>
#include <QMessageBox>

namespace pv {
namespace {

QMessageBox::StandardButton knopf(Antwort a) {
  switch (a) {
    case Antwort::Ok: return QMessageBox::Ok;
    case Antwort::Abbrechen: return QMessageBox::Cancel;
    case Antwort::Ja: return QMessageBox::Yes;
    case Antwort::Nein: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

}  // namespace

Antwort DialogMeldungen::zeigen(const QString& text, const QString& titel, Knoepfe knoepfe,
                                Symbol symbol, Antwort standard) {
  QMessageBox box(QApplication::activeWindow());
  // A box without a title shows none: the window system would put the
  // application's name in the place of an empty one.
  box.setWindowTitle(titel.isEmpty() ? QStringLiteral(" ") : titel);
  box.setText(text);
  switch (symbol) {
    case Symbol::Keins: box.setIcon(QMessageBox::NoIcon); break;
    case Symbol::Information: box.setIcon(QMessageBox::Information); break;
    case Symbol::Ausruf: box.setIcon(QMessageBox::Warning); break;
    case Symbol::Frage: box.setIcon(QMessageBox::Question); break;
    case Symbol::Kritisch: box.setIcon(QMessageBox::Critical); break;
  }
  switch (knoepfe) {
    case Knoepfe::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Knoepfe::OkAbbrechen: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Knoepfe::JaNein: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Knoepfe::JaNeinAbbrechen:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  box.setDefaultButton(knopf(standard));
  switch (box.exec()) {
    case QMessageBox::Yes: return Antwort::Ja;
    case QMessageBox::No: return Antwort::Nein;
    case QMessageBox::Cancel: return Antwort::Abbrechen;
    case QMessageBox::Ok: return Antwort::Ok;
    default:
      return knoepfe == Knoepfe::JaNein ? Antwort::Nein
             : knoepfe == Knoepfe::Ok   ? Antwort::Ok
                                        : Antwort::Abbrechen;
  }
}

}  // namespace pv
