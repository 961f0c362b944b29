#pragma once

#include <QByteArray>
#include <QString>

namespace pv {

// Windows-1252, the single-byte code page of every text file the program
// reads and writes. Decoding maps each byte to exactly one character and
// encoding maps it back, so unchanged text survives a read and a rewrite
// byte for byte (the five unassigned bytes become the C1 control characters
// of the same value). Characters the code page cannot hold are written as '?'.
QString vonCp1252(const QByteArray& bytes);
QString vonCp1252(const char* bytes, qsizetype anzahl);
QChar cp1252Zeichen(char byte);
QByteArray zuCp1252(const QString& text);

// True when every character of the text has a byte in Windows-1252.
bool istCp1252(const QString& text);

}  // namespace pv
