#pragma once

#include <QString>
#include <cstdint>
#include <vector>

class QWidget;

namespace pv {

// One tool tip: the window (0 the main window, 1 the table window), the
// control's object name and the text. A tab of a tab widget is named by
// the tab widget's object name, "#" and the tab's index.
struct ToolTipp {
  int fenster;
  QString name;
  QString text;
};
const std::vector<ToolTipp>& toolTippTabelle();

// With 1, sets the tips of the table on the controls of `form1` and
// `tabelle`; with any other value clears the tips of every control of both
// windows. A control the table names but a window lacks is passed over.
void ToolTippsSetzen(int16_t setzen, QWidget* form1, QWidget* tabelle);

}  // namespace pv
