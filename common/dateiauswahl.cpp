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

namespace pv {

const QString kProgrammordnerPlatz = QStringLiteral("Pelvaron-Programmordner");

namespace {

QString normalerPfad(const QString& pfad) {
  const QFileInfo info(pfad);
  const QString echt = info.canonicalFilePath();
  return echt.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : echt;
}

// Whether `ordner` is the program folder or a folder in it. A program folder
// that holds the home folder (PELVARON_HOME naming it) holds the user's own
// folders too: then only the program folder itself counts.
bool imProgrammordner(const QString& ordner) {
  if (Programmordner::pfad().isEmpty() || ordner.isEmpty()) return false;
  const QString programm = normalerPfad(Programmordner::pfad());
  const auto darin = [&programm](const QString& pfad) {
    return pfad == programm || pfad.startsWith(programm + u'/');
  };
  const QString pfad = normalerPfad(ordner);
  return pfad == programm || (darin(pfad) && !darin(normalerPfad(QDir::homePath())));
}

// The side bar's place for the program folder, named kProgrammordnerPlatz,
// while the dialog is shown. The side bar names a place after its folder
// and does so anew whenever the folder's entry changes; the name is put
// back each time. The dialog keeps its side bar in Qt's settings, which
// other programs share: it is stored without the place.
class Programmordnerplatz {
 public:
  explicit Programmordnerplatz(QFileDialog& dialog)
      : dialog_(dialog), ort_(QUrl::fromLocalFile(QDir::cleanPath(Programmordner::pfad()))),
        vorher_(dialog.sidebarUrls()) {
    if (Programmordner::pfad().isEmpty()) return;
    if (!vorher_.contains(ort_)) dialog.setSidebarUrls(vorher_ + QList<QUrl>{ort_});
    auto* leiste = dialog.findChild<QAbstractItemView*>(QStringLiteral("sidebar"));
    if (!leiste || !leiste->model()) return;
    QAbstractItemModel* orte = leiste->model();
    const auto benennen = [ort = ort_, orte] {
      for (int zeile = 0; zeile < orte->rowCount(); ++zeile) {
        const QModelIndex i = orte->index(zeile, 0);
        if (i.data(kOrtRolle).toUrl() == ort && i.data().toString() != kProgrammordnerPlatz)
          orte->setData(i, kProgrammordnerPlatz, Qt::DisplayRole);
      }
    };
    QObject::connect(orte, &QAbstractItemModel::dataChanged, &dialog, benennen);
    QObject::connect(orte, &QAbstractItemModel::rowsInserted, &dialog, benennen);
    benennen();
    breitGenug(dialog, *leiste);
  }
  ~Programmordnerplatz() {
    if (vorher_.contains(ort_)) return;
    QList<QUrl> orte = dialog_.sidebarUrls();
    orte.removeAll(ort_);
    dialog_.setSidebarUrls(orte);
  }
  Programmordnerplatz(const Programmordnerplatz&) = delete;
  Programmordnerplatz& operator=(const Programmordnerplatz&) = delete;

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
  const QUrl ort_;
  const QList<QUrl> vorher_;
};

QString zeigen(QFileDialog& dialog, const QString& start, const QString& filter) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setNameFilters(filter.split(QStringLiteral(";;")));
  dialog.setDirectory(start);
  const Programmordnerplatz platz(dialog);
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
