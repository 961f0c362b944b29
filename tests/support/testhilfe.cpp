#include "testhilfe.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <clocale>

#include "common/programmordner.h"
#include "common/tolvek.h"
#include "common/zahlen.h"

namespace pvtest {

pv::Antwort FakeMeldungen::zeigen(const QString& text, const QString& titel, pv::Knoepfe knoepfe,
                                  pv::Symbol symbol, pv::Antwort standard) {
  boxen.push_back({text, titel, knoepfe, symbol, standard});
  QWidget* eltern = fensterverwaltung ? QApplication::activeWindow() : nullptr;
  if (eltern) {
    QEvent abgegeben(QEvent::WindowDeactivate);
    QApplication::sendEvent(eltern, &abgegeben);
  }
  if (waehrendBox) {
    auto aufruf = std::move(waehrendBox);
    waehrendBox = nullptr;
    aufruf();
  }
  if (eltern) QCoreApplication::postEvent(eltern, new QEvent(QEvent::WindowActivate));
  if (antworten.empty()) return standard;
  const pv::Antwort a = antworten.front();
  antworten.pop_front();
  return a;
}

Programmumgebung::Programmumgebung() : vorher_(pv::Programmordner::pfad()) {
  pv::Programmordner::setzen(ordner_.path());
  Tolvek::zustand() = Tolvek::Zustand{};
  Tolvek::zustand().meldungen = &meldungen;
  Tolvek::zustand().eingaben = &eingaben;
  Tolvek::zustand().hauptfenster = &hauptfenster;
}

Programmumgebung::~Programmumgebung() {
  Tolvek::zustand() = Tolvek::Zustand{};
  pv::Programmordner::setzen(vorher_);
}

QString Programmumgebung::pfad(const QString& name) const {
  return name.isEmpty() ? pv::Programmordner::pfad() : pv::Programmordner::datei(name);
}

void Programmumgebung::schreibe(const QString& name, const QByteArray& inhalt) const {
  QFile f(pfad(name));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(inhalt);
}

QByteArray Programmumgebung::lies(const QString& name) const {
  QFile f(pfad(name));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

DeutschesGebietsschema::DeutschesGebietsschema() : vorher_(std::setlocale(LC_ALL, nullptr)) {
  gesetzt_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  pv::cZahlenFestlegen();
}

DeutschesGebietsschema::~DeutschesGebietsschema() { std::setlocale(LC_ALL, vorher_.c_str()); }

QString testdatei(const QString& name) {
  return QDir(QStringLiteral(PELVARON_TESTDATEN)).filePath(name);
}

}  // namespace pvtest
