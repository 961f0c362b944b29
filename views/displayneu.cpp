#include "displayneu.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <exception>

#include "acquisition/erfassungszustand.h"
#include "common/allgemein.h"
#include "common/fehlerbehandlung.h"
#include "common/fensterplatz.h"
#include "common/tolvek.h"
#include "main/hauptzustand.h"
#include "views/ansichtenzustand.h"
#include "views/messbeschreibung.h"

namespace pv {

namespace {

const QString kSchriftart = QStringLiteral("Arial");
constexpr double kNameGroesse = 27.75;
constexpr double kFeldGroesse = 180;
const QString kOhneEinheit = QStringLiteral("###");

QString farbe(const QColor& c) { return c.name(QColor::HexRgb); }

void panelFaerben(QWidget* panel, const QColor& fuellung, const QColor& rand) {
  panel->setStyleSheet(QStringLiteral("#ShapeBG1 { background-color: %1; border: 1px solid %2; }")
                           .arg(farbe(fuellung), farbe(rand)));
}

// A control of the option strip at its designed place in its frame. Where
// the platform draws it taller than designed it grows around the designed
// centre line, and it stays inside the frame, below the frame's title.
void platzieren(QWidget* w, QRect r) {
  const QSize noetig = w->sizeHint();
  if (noetig.width() > r.width()) r.setWidth(noetig.width());
  if (noetig.height() > r.height()) {
    r.translate(0, -(noetig.height() - r.height()) / 2);
    r.setHeight(noetig.height());
  }
  const QRect inhalt = static_cast<const Rahmen*>(w->parentWidget())->inhalt();
  r.moveTop(std::max(inhalt.top(), std::min(r.top(), inhalt.bottom() + 1 - r.height())));
  w->setGeometry(r);
}

}  // namespace

// ---------------------------------------------------------------- Rahmen

QRect Rahmen::inhalt() const { return rect().adjusted(1, fontMetrics().height(), -1, -1); }

void Rahmen::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics m = fontMetrics();
  p.setPen(QColor(128, 128, 128));
  p.drawRect(rect().adjusted(0, m.height() / 2, -1, -1));
  const QRect titel(kTitelEinzug, 0, m.horizontalAdvance(title()) + 4, m.height());
  p.fillRect(titel, palette().color(QPalette::Window));
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(titel, Qt::AlignCenter, title());
}

// ---------------------------------------------------------------- Stilknopf

void Stilknopf::mousePressEvent(QMouseEvent* ereignis) {
  gedrueckt_ = ereignis->button() == Qt::LeftButton;
  ereignis->accept();
}

void Stilknopf::mouseReleaseEvent(QMouseEvent* ereignis) {
  const bool klick =
      gedrueckt_ && ereignis->button() == Qt::LeftButton && rect().contains(ereignis->position().toPoint());
  gedrueckt_ = false;
  ereignis->accept();
  if (klick) emit geklickt();
}

// ---------------------------------------------------------------- Anzeigefeld

Anzeigefeld::Anzeigefeld(QWidget* parent) : QWidget(parent) {
  setFont(QFont(kSchriftart, kFeldGroesse));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Anzeigefeld::farbenSetzen(const QColor& hintergrund, const QColor& text) {
  hintergrund_ = hintergrund;
  textfarbe_ = text;
  update();
}

void Anzeigefeld::zeichnen(const QString& text, const Textplatz& platz) {
  // Every value redraws all three fields; the units rarely change.
  if (text == text_ && platz == platz_) return;
  text_ = text;
  platz_ = platz;
  update();
}

void Anzeigefeld::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), hintergrund_.isValid() ? hintergrund_ : QColor(192, 192, 192));
  if (text_.isEmpty() || platz_.groesse <= 0) return;
  QFont f = font();
  f.setPointSizeF(platz_.groesse);
  p.setFont(f);
  p.setPen(textfarbe_.isValid() ? textfarbe_ : QColor(Qt::black));
  p.drawText(QPointF(platz_.x, QFontMetricsF(f).ascent()), text_);
}

void Anzeigefeld::mouseDoubleClickEvent(QMouseEvent*) { emit doppelklick(); }

// ---------------------------------------------------------------- DisplayNeu

DisplayNeu::DisplayNeu(QWidget* parent) : QWidget(parent, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("DISPLAY"));
  setFont(QFont(kSchriftart, 8.25));
  setMinimumSize(displayMindestgroesse());
  setAutoFillBackground(true);

  LabelMessBez = new QLabel(this);
  LabelMessBez->setAlignment(Qt::AlignCenter);
  LabelMessBez->setFont(QFont(kSchriftart, kNameGroesse));
  ShapeBG1 = new QWidget(this);
  ShapeBG1->setObjectName(QStringLiteral("ShapeBG1"));
  ShapeBG1->setAttribute(Qt::WA_StyledBackground);
  PicMW = new Anzeigefeld(this);
  picEinheit1 = new Anzeigefeld(this);
  picEinheit2 = new Anzeigefeld(this);
  leisteBauen();
  entwurfAnordnen();

  auto* hilfe = new QShortcut(QKeySequence(Qt::Key_F1), this, [] { Tolvek::HilfeAnzeigen(kHilfekontext); });
  hilfe->setContext(Qt::WidgetWithChildrenShortcut);
  connect(PicMW, &Anzeigefeld::doppelklick, this, [this] { LabelMesswert_DblClick(); });
  connect(CommandDisplAus, &QPushButton::clicked, this, [this] { close(); });
  connect(OptionMesswert, &QRadioButton::toggled, this,
          [](bool an) { hauptmodul().einstellungen.OptionMesswert = an; });
  connect(CheckFett, &QCheckBox::toggled, this, [this] { CheckFett_Click(); });
  connect(CheckDigital, &QCheckBox::toggled, this, [this] { CheckDigital_Click(); });
  connect(OptionBGHell, &QRadioButton::toggled, this, [this](bool an) {
    if (an) OptionBG_Click(true);
  });
  connect(OptionBGDunkel, &QRadioButton::toggled, this, [this](bool an) {
    if (an) OptionBG_Click(false);
  });
  ansichten().grossanzeige = this;

  // Opening.
  try {
    ladevorgang_ = true;
    // The window, frame included, covers the work area beside the task bar.
    Tolvek::FensterEinpassen(*this, Tolvek::Fensterplatz::Arbeitsbereich);
    LabelMessBezSetzen(aktuelleMessbeschreibung().Titel);
    const Einstellungen& e = hauptmodul().einstellungen;
    CheckDigital->setVisible(schriftInstalliert(e.DisplaySchriftDigitalfont));
    LabelEinheit1Setzen(kOhneEinheit);
    LabelEinheit2Setzen(kOhneEinheit);
    ladevorgang_ = false;
    layout();
    (e.OptionMesswert ? OptionMesswert : OptionMessgeraet)->setChecked(true);
    PicCmdLEDLCD_Click(e.LEDLCD);
    CheckFett->setChecked(e.DisplaySchriftFett == 1);
    CheckDigital->setChecked(e.DisplaySchriftDigital == 1);
    OptionBGHell->setChecked(e.DisplayHell);
    OptionBGDunkel->setChecked(!e.DisplayHell);
    OptionBG_Click(e.DisplayHell);
    hauptmodul().DisplayOffen = true;
  } catch (const std::exception& fehler) {
    ladevorgang_ = false;
    Tolvek::Fehlerbehandlung(QStringLiteral("DisplayNeu -> FormLoad"), fehler);
  }
}

DisplayNeu::~DisplayNeu() {
  hauptmodul().DisplayOffen = false;
  if (ansichten().grossanzeige == this) ansichten().grossanzeige = nullptr;
}

void DisplayNeu::leisteBauen() {
  FrameAnzeige = new Rahmen(QStringLiteral("Anzeige/Darstellung"), this);
  FrameAnzeige->setAutoFillBackground(true);
  OptionMessgeraet = new QRadioButton(QStringLiteral("Messwert des Messgerätes"), FrameAnzeige);
  OptionMesswert = new QRadioButton(QStringLiteral("nach Benutzerangaben verarbeiteter Messwert"), FrameAnzeige);
  OptionMessgeraet->setChecked(true);
  CommandDisplAus = new QPushButton(QStringLiteral("Display AUS"), FrameAnzeige);

  for (int16_t i = 0; i < static_cast<int16_t>(PicCmdLEDLCD.size()); ++i) {
    const Displaystil* s = displayStil(i);
    auto* knopf = new Stilknopf(s->beschriftung, FrameAnzeige);
    knopf->setAlignment(Qt::AlignCenter);
    QFont f(kSchriftart, 11.25);
    f.setBold(true);
    knopf->setFont(f);
    knopf->setStyleSheet(QStringLiteral("background-color: %1; color: %2;").arg(farbe(s->hintergrund), farbe(s->text)));
    knopf->setCursor(Qt::PointingHandCursor);
    connect(knopf, &Stilknopf::geklickt, this, [this, i] { PicCmdLEDLCD_Click(i); });
    PicCmdLEDLCD[static_cast<size_t>(i)] = knopf;
  }

  FrameSchrift = new Rahmen(QStringLiteral("Schrift"), FrameAnzeige);
  CheckFett = new QCheckBox(QStringLiteral("Fett"), FrameSchrift);
  CheckDigital = new QCheckBox(QStringLiteral("Digital"), FrameSchrift);
  FrameHintergrund = new Rahmen(QStringLiteral("Hintergrund"), FrameAnzeige);
  OptionBGHell = new QRadioButton(QStringLiteral("hell"), FrameHintergrund);
  OptionBGDunkel = new QRadioButton(QStringLiteral("dunkel"), FrameHintergrund);
  OptionBGHell->setChecked(true);
}

void DisplayNeu::entwurfAnordnen() {
  const Displaygeometrie g = displayEntwurf();
  LabelMessBez->setGeometry(g.name);
  ShapeBG1->setGeometry(g.panel);
  PicMW->setGeometry(g.wert);
  picEinheit1->setGeometry(g.einheit1);
  picEinheit2->setGeometry(g.einheit2);
  FrameAnzeige->setGeometry(g.leiste);
  leisteAnordnen();
}

void DisplayNeu::leisteAnordnen() {
  const Leistengeometrie l = displayLeiste(FrameAnzeige->width());
  for (size_t i = 0; i < PicCmdLEDLCD.size(); ++i) PicCmdLEDLCD[i]->setGeometry(l.stil[i]);
  FrameSchrift->setGeometry(l.schrift);
  FrameHintergrund->setGeometry(l.hintergrund);
  const std::pair<QWidget*, QRect> steuerelemente[] = {
      {OptionMessgeraet, l.messgeraet}, {OptionMesswert, l.messwert}, {CheckFett, l.fett},
      {CheckDigital, l.digital},        {OptionBGHell, l.hell},         {OptionBGDunkel, l.dunkel}};
  for (const auto& [w, r] : steuerelemente) platzieren(w, r);
  CommandDisplAus->setGeometry(l.aus);
}

void DisplayNeu::Zeigen() {
  // A window already open only comes to the front, at the size it was given.
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

bool DisplayNeu::Offen() const { return hauptmodul().DisplayOffen; }

bool DisplayNeu::MessgeraetGewaehlt() const { return OptionMessgeraet->isChecked(); }

void DisplayNeu::MesswertAnzeigen(const QString& wert, const QString& einheit1, const QString& einheit2) {
  LabelMesswertSetzen(wert);
  LabelEinheit1Setzen(einheit1);
  LabelEinheit2Setzen(einheit2);
}

void DisplayNeu::LabelMesswertSetzen(const QString& text) {
  wert_ = text;
  wertZeichnen();
}

void DisplayNeu::LabelEinheit1Setzen(const QString& text) {
  einheit1_ = text;
  einheitZeichnen(picEinheit1, einheit1_);
}

void DisplayNeu::LabelEinheit2Setzen(const QString& text) {
  einheit2_ = text;
  einheitZeichnen(picEinheit2, einheit2_);
}

void DisplayNeu::LabelMessBezSetzen(const QString& text) {
  LabelMessBez->setText(text);
  layout();
}

void DisplayNeu::LabelMesswert_DblClick() {
  // Shows with the next drawing of the value.
  ausrichtung_ = static_cast<Ausrichtung>((static_cast<int>(ausrichtung_) + 1) % 3);
}

void DisplayNeu::wertZeichnen() {
  PicMW->zeichnen(wert_, wertPlatzieren(PicMW->font(), PicMW->size(), wert_, ausrichtung_));
}

void DisplayNeu::einheitZeichnen(Anzeigefeld* feld, const QString& text) {
  const Textplatz platz = einheitPlatzieren(feld->font(), feld->size(), text);
  if (platz.groesse != feld->font().pointSizeF() && platz.groesse > 0) {
    QFont f = feld->font();
    f.setPointSizeF(platz.groesse);
    feld->setFont(f);
  }
  feld->zeichnen(text, platz);
}

void DisplayNeu::PicCmdLEDLCD_Click(int16_t index) {
  try {
    if (const Displaystil* s = displayStil(index)) {
      panelFaerben(ShapeBG1, s->hintergrund, displayHintergrund(OptionBGHell->isChecked()).panelRand);
      for (Anzeigefeld* feld : {PicMW, picEinheit1, picEinheit2}) feld->farbenSetzen(s->hintergrund, s->text);
    }
    hauptmodul().einstellungen.LEDLCD = index;
    wertZeichnen();
    einheitZeichnen(picEinheit1, einheit1_);
    einheitZeichnen(picEinheit2, einheit2_);
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("DisplayNeu -> PicCmdLEDLCD"), fehler);
  }
}

void DisplayNeu::schriftSetzen(const QString& familie, bool fett) {
  for (Anzeigefeld* feld : {PicMW, picEinheit1, picEinheit2}) {
    QFont f = feld->font();
    if (!familie.isEmpty()) f.setFamily(familie);
    f.setBold(fett);
    feld->setFont(f);
  }
}

void DisplayNeu::CheckFett_Click() {
  const bool fett = CheckFett->isChecked();
  schriftSetzen(QString(), fett);
  hauptmodul().einstellungen.DisplaySchriftFett = fett ? 1 : 0;
  layout();
}

void DisplayNeu::CheckDigital_Click() {
  Einstellungen& e = hauptmodul().einstellungen;
  QString& alt = ansichtenzustand().SchriftartAlt;
  if (CheckDigital->isChecked()) {
    alt = PicMW->font().family();
    if (!schriftInstalliert(e.DisplaySchriftDigitalfont)) return;
    schriftSetzen(e.DisplaySchriftDigitalfont, CheckFett->isChecked());
    e.DisplaySchriftDigital = 1;
  } else {
    schriftSetzen(alt, CheckFett->isChecked());
    e.DisplaySchriftDigital = 0;
  }
  layout();
}

void DisplayNeu::OptionBG_Click(bool hell) {
  try {
    const Displayhintergrund h = displayHintergrund(hell);
    for (QWidget* w : std::initializer_list<QWidget*>{this, FrameAnzeige, OptionMessgeraet, OptionMesswert,
                                                      FrameSchrift, CheckFett, CheckDigital, FrameHintergrund,
                                                      OptionBGHell, OptionBGDunkel}) {
      QPalette q = w->palette();
      q.setColor(QPalette::Window, h.fenster);
      q.setColor(QPalette::WindowText, h.text);
      w->setPalette(q);
    }
    LabelMessBez->setFrameShape(h.nameRahmen ? QFrame::Box : QFrame::NoFrame);
    const Displaystil* s = displayStil(hauptmodul().einstellungen.LEDLCD);
    const QColor fuellung = s ? s->hintergrund : QColor(192, 192, 192);
    panelFaerben(ShapeBG1, fuellung, h.panelRand);
    hauptmodul().einstellungen.DisplayHell = hell;
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(hell ? QStringLiteral("DisplayNeu -> OptionBGHell")
                                  : QStringLiteral("DisplayNeu -> OptionBGDunkel"),
                             fehler);
  }
}

bool DisplayNeu::schriftInstalliert(const QString& name) {
  const QStringList familien = QFontDatabase::families();
  return std::any_of(familien.begin(), familien.end(),
                     [&name](const QString& f) { return f.compare(name, Qt::CaseInsensitive) == 0; });
}

void DisplayNeu::layout() {
  if (ladevorgang_ || isMinimized()) return;
  try {
    const Displaygeometrie g = displayLayout(size(), displayEntwurf().leiste.height());
    LabelMessBez->setGeometry(g.name);
    QFont name = LabelMessBez->font();
    name.setPointSizeF(nameSchriftgroesse(name, g.name.size(), LabelMessBez->text(), name.pointSizeF()));
    LabelMessBez->setFont(name);
    ShapeBG1->setGeometry(g.panel);
    PicMW->setGeometry(g.wert);
    QFont wert = PicMW->font();
    wert.setPointSizeF(wertSchriftgroesse(wert, g.wert.size(), wertZeichenzahl(erfassungsmodul().zustand)));
    PicMW->setFont(wert);
    wertZeichnen();
    picEinheit1->setGeometry(g.einheit1);
    picEinheit2->setGeometry(g.einheit2);
    const Erfassungszustand& z = erfassungsmodul().zustand;
    const std::array<double, 2> groessen = einheitSchriftgroessen(
        {picEinheit1->font(), picEinheit2->font()}, {g.einheit1.size(), g.einheit2.size()}, z.Einheit1Pos,
        z.Einheit2Pos);
    for (size_t i = 0; i < 2; ++i) {
      Anzeigefeld* feld = i == 0 ? picEinheit1 : picEinheit2;
      QFont f = feld->font();
      f.setPointSizeF(groessen[i]);
      feld->setFont(f);
    }
    einheitZeichnen(picEinheit1, einheit1_);
    einheitZeichnen(picEinheit2, einheit2_);
    FrameAnzeige->setGeometry(g.leiste);
    leisteAnordnen();
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("Display -> FormResize"), fehler);
  }
}

void DisplayNeu::resizeEvent(QResizeEvent* ereignis) {
  QWidget::resizeEvent(ereignis);
  layout();
}

void DisplayNeu::closeEvent(QCloseEvent* ereignis) {
  hauptmodul().DisplayOffen = false;
  QWidget::closeEvent(ereignis);
}

}  // namespace pv
