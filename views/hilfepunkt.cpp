#include "hilfepunkt.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>

#include "common/allgemein.h"

namespace pv {

QAction* hilfepunktAnlegen(QMenu* menue, QWidget* fenster, int16_t kontext) {
  QAction* punkt = menue->addAction(QStringLiteral("Hilfe...   F1"));
  QObject::connect(punkt, &QAction::triggered, fenster, [kontext] { Tolvek::HilfeAnzeigen(kontext); });
  auto* taste = new QShortcut(QKeySequence(Qt::Key_F1), fenster);
  QObject::connect(taste, &QShortcut::activated, punkt, &QAction::trigger);
  return punkt;
}

}  // namespace pv
