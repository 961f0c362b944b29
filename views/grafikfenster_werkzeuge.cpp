// The graph window's menus and mouse modes: each handler asks the plain
// pieces (grafikauswertung, mausmodi) and shows what they answer.
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "common/eingabebox.h"
#include "common/fehlerbehandlung.h"
#include "common/laufzeitfehler.h"
#include "common/meldungen.h"
#include "common/sanduhr.h"
#include "common/textdatei.h"
#include "common/tolvek.h"
#include "main/hauptzustand.h"
#include "views/ansichtenzustand.h"
#include "views/druckfenster.h"
#include "views/einstellungsfenster.h"
#include "views/grafikfenster.h"
#include "views/messbeschreibung.h"

namespace pv {

namespace {

const QString kBildgroesseFrage = QStringLiteral(
    "Geben Sie bitte die gewünschten Abmessungen \r\nder Grafik (in Pixel) an:\r\nFormat: Pixel Breite; Pixel "
    "Höhe\r\nBeispiel: 800;600\r\n(Minimal: 100 Pixel, Maximal: 4000 Pixel");

}  // namespace

void FormGRAFIK::werkzeugeVerbinden() {
  connect(MMesspkte, &QAction::triggered, this, [this] { MMesspkte_Click(); });
  connect(MVerbunden, &QAction::triggered, this, [this] { MVerbunden_Click(); });
  connect(MxGitter, &QAction::triggered, this, [this] { MxGitter_Click(); });
  connect(MyGitter, &QAction::triggered, this, [this] { MyGitter_Click(); });
  for (int i = 0; i < 3; ++i)
    connect(MWDarst[i], &QAction::triggered, this, [this, i] { MWDarst_Click(static_cast<int16_t>(i)); });
  connect(MNeuzeichnen, &QAction::triggered, this, [this] { MNeuzeichnen_Click(); });
  connect(MVorhAns, &QAction::triggered, this, [this] { MVorhAns_Click(); });
  connect(MMinMax, &QAction::triggered, this, [this] { MMinMax_Click(); });
  connect(MMittelArithm, &QAction::triggered, this, [this] { MMittelArithm_Click(); });
  connect(mnuKurveGlaetten, &QAction::triggered, this, [this] { mnuKurveGlaetten_Click(); });
  connect(mnuGrafikExp[0], &QAction::triggered, this, [this] { mnuGrafikExp_Click(0); });
  connect(mnuGrafikExp[1], &QAction::triggered, this, [this] { mnuGrafikExp_Click(1); });
  connect(MGrDruck, &QAction::triggered, this, [this] { MGrDruck_Click(); });
  connect(MOptionen, &QAction::triggered, this, [this] { MOptionen_Click(); });
  connect(MDifferenzieren, &QAction::triggered, this, [this] { MDifferenzieren_Click(); });

  connect(GRAF, &GrafikBild::mausGedrueckt, this, [this](int t, QPointF w) { GRAF_MouseDown(t, w); });
  connect(GRAF, &GrafikBild::mausBewegt, this, [this](int t, QPointF w) { GRAF_MouseMove(t, w); });
  connect(GRAF, &GrafikBild::mausLosgelassen, this, [this](int t) { GRAF_MouseUp(t); });
  connect(OptionZoom, &QRadioButton::clicked, this, [this] { OptionZoom_Click(); });
  connect(OptionKoordinaten, &QRadioButton::clicked, this, [this] { OptionKoordinaten_Click(); });
  connect(OptionFlaecheninhalt, &QRadioButton::clicked, this, [this] { OptionFlaecheninhalt_Click(); });
  connect(CheckMWRasten, &QCheckBox::toggled, this, [this](bool an) { maus.einrasten = an; });

  // Typing into an axis field switches its automatic box off.
  const std::pair<QLineEdit*, QCheckBox*> felder[] = {
      {TextMinimumX, CheckMinMaxAutoX}, {TextMaximumX, CheckMinMaxAutoX}, {TextIntervallX, CheckIntervallAutoX},
      {TextMinimumY, CheckMinMaxAutoY}, {TextMaximumY, CheckMinMaxAutoY}, {TextIntervallY, CheckIntervallAutoY}};
  for (const auto& [feld, box] : felder)
    connect(feld, &QLineEdit::textEdited, box, [box = box] { box->setChecked(false); });
}

// ---- display switches

void FormGRAFIK::MMesspkte_Click() {
  GrafikEinstellungen& p = grafikParameter();
  p.MesspunkteAnzeigen = p.MesspunkteAnzeigen != 1 ? 1 : 0;
  MMesspkte->setChecked(p.MesspunkteAnzeigen == 1);
  NeuZeichnenOderAnfordern();
}

void FormGRAFIK::MVerbunden_Click() {
  GrafikEinstellungen& p = grafikParameter();
  p.MesswerteVerbunden = p.MesswerteVerbunden != 1 ? 1 : 0;
  MVerbunden->setChecked(p.MesswerteVerbunden == 1);
  NeuZeichnenOderAnfordern();
}

void FormGRAFIK::MxGitter_Click() {
  GrafikEinstellungen& p = grafikParameter();
  p.GitterX = !p.GitterX;
  MxGitter->setChecked(p.GitterX);
  NeuZeichnenOderAnfordern();
}

void FormGRAFIK::MyGitter_Click() {
  GrafikEinstellungen& p = grafikParameter();
  p.GitterY = !p.GitterY;
  MyGitter->setChecked(p.GitterY);
  NeuZeichnenOderAnfordern();
}

void FormGRAFIK::MWDarst_Click(int16_t Index) {
  GrafikEinstellungen& p = grafikParameter();
  while (Index == 2) {
    const QString antwort = EingabeDialog(QStringLiteral("Geben Sie bitte die gewünschte Schrittweite ein."));
    if (antwort.isEmpty()) {
      Index = 0;
      break;
    }
    if (const std::optional<int32_t> n = schrittweiteLesen(antwort, hauptmodul().Dezimaltrennzeichen)) {
      p.Schrittweite = *n;
      p.SchrittweiteAutomatisch = false;
      break;
    }
    Tolvek::meldungen().hinweis(QStringLiteral("Ungültige Eingabe!"));
  }
  if (Index == 0) {
    p.SchrittweiteAutomatisch = true;
  } else if (Index == 1) {
    p.SchrittweiteAutomatisch = false;
    p.Schrittweite = 1;
  }
  schrittweiteMarkieren(Index);
  NeuZeichnenOderAnfordern();
}

void FormGRAFIK::MNeuzeichnen_Click() {
  for (QCheckBox* box : {CheckMinMaxAutoX, CheckIntervallAutoX, CheckMinMaxAutoY, CheckIntervallAutoY})
    box->setChecked(true);
  NeuButton_Click();
}

void FormGRAFIK::MVorhAns_Click() {
  const Feldumgebung u = feldumgebung();
  const Ansicht a = VorherigeAnsicht;
  CheckMinMaxAutoX->setChecked(false);
  TextMinimumX->setText(feldText(a.XMin, u.x, u));
  TextMaximumX->setText(feldText(a.XMax, u.x, u));
  CheckMinMaxAutoY->setChecked(false);
  TextMinimumY->setText(feldText(a.YMin, u.y, u));
  TextMaximumY->setText(feldText(a.YMax, u.y, u));
  NeuButton_Click();
}

// ---- evaluations

std::optional<Indexbereich> FormGRAFIK::sichtbareWerte() {
  const Messdaten& d = hauptmodul().messdaten;
  const GrafikEinstellungen& p = grafikParameter();
  if (d.m == 0 || p.XMin == p.XMax) return std::nullopt;
  std::optional<Indexbereich> b = sichtbarerBereich(d.x, d.m, p.XMin, p.XMax);
  if (!b) Tolvek::meldungen().hinweis(keineWerteImBereichText());
  return b;
}

void FormGRAFIK::MMinMax_Click() {
  const std::optional<Indexbereich> b = sichtbareWerte();
  if (!b) return;
  const Messdaten& d = hauptmodul().messdaten;
  const Mauskontext k = mauskontext();
  Tolvek::meldungen().hinweis(extremwerteText(extremwerteSuchen(d.x, d.y, *b), k.fx, k.fy));
}

void FormGRAFIK::MMittelArithm_Click() {
  const std::optional<Indexbereich> b = sichtbareWerte();
  if (!b) return;
  Tolvek::meldungen().hinweis(mittelwertText(mittelwert(hauptmodul().messdaten.y, *b), mauskontext().fy));
}

void FormGRAFIK::mnuKurveGlaetten_Click() {
  Hauptmodul& h = hauptmodul();
  if (h.MessungLaeuft) {
    Tolvek::meldungen().hinweis(
        QStringLiteral("Diese Funktion kann nicht während der Datenaufzeichnung angewendet werden!"));
    return;
  }
  const QString antwort = EingabeDialog(
      QStringLiteral("Über wieviele benachbarte Messwerte \r\nsoll gemittelt werden?"), {}, QStringLiteral("1"));
  std::optional<int32_t> n;
  try {
    n = glaettungsbreiteLesen(antwort, h.Dezimaltrennzeichen);
  } catch (const Laufzeitfehler& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("KurveGlätten"), fehler);
    return;
  }
  if (!n) return;
  Messdaten& d = h.messdaten;
  {
    const Sanduhr sanduhr;
    YGeglaettet = geglaettet(d.y, d.m, *n);
  }
  VorschauGeglaettet = true;
  NeuButton_Click();
  VorschauGeglaettet = false;
  const Antwort a = Tolvek::meldungen().zeigen(
      QStringLiteral("Änderungen übernehmen?\r\nACHTUNG: diese Aktion kann nicht rückgängig gemacht werden!"),
      kAnwendungstitel, Knoepfe::JaNein, Symbol::Frage, Antwort::Ja);
  if (a == Antwort::Ja) {
    std::copy(YGeglaettet.begin() + 1, YGeglaettet.end(), d.y.begin() + 1);
    // The values changed: the exit asks before they are lost.
    h.MessungGespeichert = false;
  } else {
    YGeglaettet.clear();
    NeuButton_Click();
  }
}

// ---- export

void FormGRAFIK::mnuGrafikExp_Click(int16_t Index) {
  const QChar dez = hauptmodul().Dezimaltrennzeichen;
  QString vorgabe = bildgroesseText(GRAF->size());
  std::optional<QSize> groesse;
  while (!groesse) {
    const QString antwort = EingabeDialog(kBildgroesseFrage, QStringLiteral("Bildgröße definieren"), vorgabe);
    if (antwort.isEmpty()) return;
    groesse = bildgroesseLesen(antwort, dez);
    if (!groesse) {
      Tolvek::meldungen().hinweis(QStringLiteral("Fehler bei der Eingabe der Abmessungen!"));
      vorgabe = antwort;
    }
  }
  const QString name = hauptmodul().messdaten.Messung;
  const QString basis = name.isEmpty() ? QStringLiteral("Bild1") : name;

  // However it ends, the export target shrinks again and the window draws on GRAF.
  struct Aufraeumen {
    FormGRAFIK& f;
    ~Aufraeumen() {
      f.ExportAktiv = false;
      f.picExport.groesseSetzen(QSize(1, 1));
    }
  } const aufraeumen{*this};
  picExport.groesseSetzen(*groesse);
  ExportAktiv = true;
  NeuButton_Click();
  ExportAktiv = false;
  if (Index == 1) {
    QApplication::clipboard()->setImage(picExport.bild());
    return;
  }
  const QString datei = grafikexportDatei(this, QStringLiteral("Grafik als Bitmap speichern"),
                                          basis + QStringLiteral(".BMP"), QStringLiteral("Bitmapdatei (*.BMP)"),
                                          QStringLiteral("BMP"));
  if (datei.isEmpty()) return;
  // Encoded first and written through the file functions, so that a file
  // that cannot be written whole keeps what it held.
  QBuffer bmp;
  bmp.open(QIODevice::WriteOnly);
  if (!picExport.bild().save(&bmp, "BMP") || !dateiErsetzen(datei, bmp.data()))
    Tolvek::Fehlerbehandlung(QStringLiteral("FehlerMMGrafikBMP"), Laufzeitfehler::kPfadZugriff,
                             QStringLiteral("Fehler beim Zugriff auf Pfad/Datei"));
}

// ---- other items

void FormGRAFIK::MGrDruck_Click() { druckfensterZeigen(this); }

void FormGRAFIK::MOptionen_Click() { einstellungenZeigen(this); }

void FormGRAFIK::MDifferenzieren_Click() {
  Tolvek::meldungen().hinweis(QStringLiteral("!oops! not yet finished. sorry"));
}

// ---- mouse modes

Mauskontext FormGRAFIK::mauskontext() const {
  const Hauptmodul& h = hauptmodul();
  const GrafikEinstellungen& p = grafikParameter();
  // The window's own last drawing, whatever other surface was drawn on since.
  const Grafikbereich& g = GRAF->flaeche().letzteGrafik;
  const Feldumgebung u = feldumgebung();
  Mauskontext k;
  k.x = &h.messdaten.x;
  k.y = &h.messdaten.y;
  k.m = h.messdaten.m;
  k.gezeichnet = {g.XMin, g.XMax, g.YMin, g.YMax};
  k.yMin = p.YMin;
  k.yMax = p.YMax;
  k.fx = {u.x.code, u.x.nachkommastellen, u.dezimaltrennzeichen, u.messStart};
  k.fy = {u.y.code, u.y.nachkommastellen, u.dezimaltrennzeichen, u.messStart};
  k.xCode = p.XZahlenformat;
  k.yCode = p.YZahlenformat;
  k.nachkommastellen = std::max(p.XNachkommastellen, p.YNachkommastellen);
  k.einheit = aktuelleMessbeschreibung().Einheit;
  return k;
}

void FormGRAFIK::mausergebnisZeigen(const Mausergebnis& e) {
  if (e.meldung) LabelMultiF->setText(*e.meldung);
  GRAF->update();
  if (e.zoomen) ZoomAusfuehren();
}

void FormGRAFIK::GRAF_MouseDown(int taste, QPointF wert) {
  try {
    mausergebnisZeigen(maus.druecken(taste, wert, mauskontext()));
  } catch (const std::exception& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("Grafik -> GRAF_MouseDown"), fehler);
  }
}

void FormGRAFIK::GRAF_MouseMove(int tasten, QPointF wert) {
  try {
    mausergebnisZeigen(maus.bewegen(tasten, wert, mauskontext()));
  } catch (const std::exception&) {
    LabelMultiF->setText(QStringLiteral("!! MouseMove-Fehler !!"));
  }
}

void FormGRAFIK::GRAF_MouseUp(int taste) { mausergebnisZeigen(maus.loslassen(taste, mauskontext())); }

void FormGRAFIK::mausmodiNeu() {
  maus = Mausmodi{};
  OptionKoordinaten->setChecked(true);
  CheckMWRasten->setChecked(true);
  GRAF->update();
}

void FormGRAFIK::OptionZoom_Click() {
  if (maus.modusWaehlen(Mausmodus::Zoom, hauptmodul().messdaten.m)) {
    CheckMinMaxAutoX->setChecked(false);
    CheckMinMaxAutoY->setChecked(false);
  }
  GRAF->update();
}

void FormGRAFIK::OptionKoordinaten_Click() {
  maus.modusWaehlen(Mausmodus::Koordinaten, hauptmodul().messdaten.m);
  GRAF->update();
}

void FormGRAFIK::OptionFlaecheninhalt_Click() {
  maus.modusWaehlen(Mausmodus::Integral, hauptmodul().messdaten.m);
  GRAF->update();
}

}  // namespace pv
