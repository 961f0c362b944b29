#include "dateiauswahl.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QUrl>

#include "programmordner.h"
#include "textdatei.h"

namespace pv {

const QString kProgrammordnerPlatz = QStringLiteral("Pelvaron-Programmordner");
const QString kRettungsordnerPlatz = QStringLiteral("Pelvaron-Rettungsordner");

namespace {

QString normalerPfad(const QString& pfad) {
  const QFileInfo info(pfad);
  const QString echt = info.canonicalFilePath();
  return echt.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : echt;
}

struct Seitenort {
  QUrl ort;
  QString name;
};

// The folders where the program keeps its own files: the program folder,
// and this user's folder of rescued values where there is one.
QList<Seitenort> programmorte() {
  QList<Seitenort> orte;
  if (!Programmordner::pfad().isEmpty())
    orte.append({QUrl::fromLocalFile(QDir::cleanPath(Programmordner::pfad())), kProgrammordnerPlatz});
  if (eigenerOrdner(Programmordner::rettungsordner()))
    orte.append({QUrl::fromLocalFile(Programmordner::rettungsordner()), kRettungsordnerPlatz});
  return orte;
}

// Whether `ordner` is one of those folders or a folder in one. A program
// folder that holds the home folder (PELVARON_HOME naming it) holds the
// user's own folders too: then only the program folder itself counts.
bool imProgrammordner(const QString& ordner) {
  if (ordner.isEmpty()) return false;
  const QString pfad = normalerPfad(ordner);
  const QString heim = normalerPfad(QDir::homePath());
  for (const Seitenort& ort : programmorte()) {
    const QString programm = normalerPfad(ort.ort.toLocalFile());
    const auto darin = [&programm](const QString& p) { return p == programm || p.startsWith(programm + u'/'); };
    if (pfad == programm || (darin(pfad) && !darin(heim))) return true;
  }
  return false;
}

// The side bar's places for those folders, each named so that a user knows
// it, while the dialog is shown. The side bar names a place after its
// folder and does so anew whenever the folder's entry changes; the name is
// put back each time. The dialog keeps its side bar in Qt's settings, which
// other programs share: it is stored without the places.
class Programmordnerplaetze {
 public:
  explicit Programmordnerplaetze(QFileDialog& dialog) : dialog_(dialog), vorher_(dialog.sidebarUrls()) {
    QList<QUrl> urls = vorher_;
    for (const Seitenort& ort : programmorte()) {
      if (urls.contains(ort.ort)) continue;
      urls.append(ort.ort);
      neu_.append(ort);
    }
    if (neu_.isEmpty()) return;
    dialog.setSidebarUrls(urls);
    auto* leiste = dialog.findChild<QAbstractItemView*>(QStringLiteral("sidebar"));
    if (!leiste || !leiste->model()) return;
    QAbstractItemModel* modell = leiste->model();
    const auto benennen = [neu = neu_, modell] {
      for (int zeile = 0; zeile < modell->rowCount(); ++zeile) {
        const QModelIndex i = modell->index(zeile, 0);
        for (const Seitenort& ort : neu)
          if (i.data(kOrtRolle).toUrl() == ort.ort && i.data().toString() != ort.name)
            modell->setData(i, ort.name, Qt::DisplayRole);
      }
    };
    QObject::connect(modell, &QAbstractItemModel::dataChanged, &dialog, benennen);
    QObject::connect(modell, &QAbstractItemModel::rowsInserted, &dialog, benennen);
    benennen();
    breitGenug(dialog, *leiste);
  }
  ~Programmordnerplaetze() {
    if (neu_.isEmpty()) return;
    QList<QUrl> urls = dialog_.sidebarUrls();
    for (const Seitenort& ort : neu_) urls.removeAll(ort.ort);
    dialog_.setSidebarUrls(urls);
  }
  Programmordnerplaetze(const Programmordnerplaetze&) = delete;
  Programmordnerplaetze& operator=(const Programmordnerplaetze&) = delete;

 private:
  // Widens the side bar, and the dialog with it, until the places' names
  // show whole.
  static void breitGenug(QFileDialog& dialog, QAbstractItemView& leiste) {
    auto* teiler = dialog.findChild<QSplitter*>(QStringLiteral("splitter"));
    if (!teiler || teiler->count() != 2) return;
    QList<int> breiten = teiler->sizes();
    const int noetig = leiste.sizeHintForColumn(0) + 2 * leiste.frameWidth() +
                       leiste.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (breiten[0] >= noetig) return;
    dialog.resize(dialog.width() + noetig - breiten[0], dialog.height());
    breiten[0] = noetig;
    teiler->setSizes(breiten);
  }

  // Where the side bar keeps a place's folder.
  static constexpr int kOrtRolle = Qt::UserRole + 1;

  QFileDialog& dialog_;
  const QList<QUrl> vorher_;
  QList<Seitenort> neu_;  // the places added, taken away again at the end
};

QString zeigen(QFileDialog& dialog, const QString& start, const QString& filter) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setNameFilters(filter.split(QStringLiteral(";;")));
  dialog.setDirectory(start);
  const Programmordnerplaetze plaetze(dialog);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList dateien = dialog.selectedFiles();
  return dateien.isEmpty() ? QString() : dateien.first();
}

Dateiauswahl*& gesetzt() {
  static Dateiauswahl* auswahl = nullptr;
  return auswahl;
}

}  // namespace

QString startordner(const QString& gemerkt) {
  if (!gemerkt.isEmpty() && QFileInfo(gemerkt).isDir() && !imProgrammordner(gemerkt)) return gemerkt;
  const QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(dokumente).isDir() ? dokumente : QDir::homePath();
}

QString merkordner(const QString& datei, const QString& bisher) {
  const QString ordner = QFileInfo(datei).absolutePath();
  return imProgrammordner(ordner) ? bisher : ordner;
}

QString Dateiauswahl::dateiZumLesen(QWidget* eltern, const QString& titel, QString& ordner, const QString& filter) {
  const QString datei = oeffnen(eltern, titel, startordner(ordner), filter);
  if (!datei.isEmpty()) ordner = merkordner(datei, ordner);
  return datei;
}

QString Dateiauswahl::dateiZumSchreiben(QWidget* eltern, const QString& titel, QString& ordner,
                                         const QString& vorschlag, const QString& filter, const QString& endung) {
  const QString datei = speichern(eltern, titel, startordner(ordner), vorschlag, filter, endung);
  if (!datei.isEmpty()) ordner = merkordner(datei, ordner);
  return datei;
}

QString DialogDateiauswahl::oeffnen(QWidget* eltern, const QString& titel, const QString& start,
                                    const QString& filter) {
  QFileDialog dialog(eltern, titel);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return zeigen(dialog, start, filter);
}

QString DialogDateiauswahl::speichern(QWidget* eltern, const QString& titel, const QString& start,
                                      const QString& vorschlag, const QString& filter, const QString& endung) {
  QFileDialog dialog(eltern, titel);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(endung);
  dialog.selectFile(vorschlag);
  return zeigen(dialog, start, filter);
}

Dateiauswahl& dateiauswahl() {
  static DialogDateiauswahl dialog;
  return gesetzt() ? *gesetzt() : dialog;
}

void dateiauswahlSetzen(Dateiauswahl* auswahl) { gesetzt() = auswahl; }

}  // namespace pv
