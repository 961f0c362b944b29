#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

#include "common/cp1252.h"
#include "devices/geraetedefinition.h"

// Readable failure output for device definitions.
namespace pv {

inline void PrintTo(const Geraetedefinition& d, std::ostream* os) {
  QStringList t;
  t << d.GeraeteNamePub << QString::number(d.GeraeteArtIndexPub)
    << QString::number(d.DatenstringLaengePub) << QString::number(d.DatenAnfangPub)
    << QString::number(d.DatenEndePub) << QString::number(d.VorzeichenStellePub)
    << QString::number(d.Einheit1_0Pub) << QString::number(d.Einheit1_1Pub)
    << QString::number(d.Einheit2_0Pub) << QString::number(d.Einheit2_1Pub)
    << QString::number(d.LZAsciiPub) << QString::number(double(d.MBVollPub)) << d.ComSettingPub
    << QString::number(d.ComRTSPub) << QString::number(d.ComDTRPub)
    << QString::number(d.GeraetAktivPub) << d.DatenTransferZeichenPub
    << QString::number(double(d.DatenTransferZeitPub)) << d.BildDateiPub
    << QString::number(d.MBAutoPub) << QString::number(d.ZeichenStelleOptionPub)
    << QString::number(d.ZeichenStellePub);
  for (const QString& z : d.MBZeichenPub) t << z;
  t << d.SpezialPub << QString::number(d.ImMenue);
  *os << "{" << t.join(QStringLiteral(" | ")).toStdString() << "}";
}

inline void PrintTo(const GeraeteEingabetexte& t, std::ostream* os) {
  *os << "{" << t.abschlusszeichen.toStdString() << " | " << t.wartezeit.toStdString() << " | "
      << t.zeichenposition.toStdString() << "}";
}

}  // namespace pv

namespace pvtest {

// File bytes: the lines (UTF-8 in the source) as Windows-1252, each followed
// by `ende`.
inline QByteArray zeilenBytes(const QStringList& zeilen, const char* ende = "\r\n") {
  QByteArray b;
  for (const QString& z : zeilen) {
    b += pv::zuCp1252(z);
    b += ende;
  }
  return b;
}

}  // namespace pvtest
