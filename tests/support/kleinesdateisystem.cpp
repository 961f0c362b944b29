#include "kleinesdateisystem.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace pvtest {

namespace {
constexpr qint64 kBlock = 4096;
}

KleinesDateisystem::KleinesDateisystem(const QString& ordner, int kib) {
  if (ordner.isEmpty()) eigener_.emplace();
  pfad_ = ordner.isEmpty() ? eigener_->path() : ordner;
  if (::geteuid() != 0) {
    grund_ = QStringLiteral("cannot mount a small tmpfs: that needs root");
    return;
  }
  const QByteArray optionen = "size=" + QByteArray::number(kib) + "k";
  if (::mount("tmpfs", QFile::encodeName(pfad_).constData(), "tmpfs", 0, optionen.constData()) != 0) {
    // Root in a container without the right to mount skips like any other
    // user; every other refusal is a fault of the test.
    const int fehler = errno;
    grund_ = QStringLiteral("cannot mount a small tmpfs: ") + QString::fromLocal8Bit(std::strerror(fehler));
    if (fehler != EPERM) ADD_FAILURE() << grund_.toStdString();
    return;
  }
  bereit_ = true;
}

KleinesDateisystem::~KleinesDateisystem() {
  if (bereit_) ::umount2(QFile::encodeName(pfad_).constData(), MNT_DETACH);
}

QString KleinesDateisystem::pfad(const QString& name) const {
  return name.isEmpty() ? pfad_ : QDir(pfad_).filePath(name);
}

void KleinesDateisystem::fuellen(qint64 frei) {
  const int fd = ::open(QFile::encodeName(pfad(QStringLiteral(".fuellung"))).constData(),
                        O_WRONLY | O_CREAT | O_APPEND, 0600);
  ASSERT_GE(fd, 0) << std::strerror(errno);
  const QByteArray block(kBlock, 'F');
  while (::write(fd, block.constData(), block.size()) > 0) {
  }
  EXPECT_EQ(errno, ENOSPC);
  struct stat st {};
  ::fstat(fd, &st);
  const qint64 zurueck = (frei + kBlock - 1) / kBlock * kBlock;
  EXPECT_GE(st.st_size, zurueck) << "not that much room to leave";
  EXPECT_EQ(::ftruncate(fd, std::max<qint64>(0, st.st_size - zurueck)), 0);
  ::close(fd);
}

void KleinesDateisystem::nurLesen() {
  ASSERT_EQ(::mount("tmpfs", QFile::encodeName(pfad_).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0)
      << std::strerror(errno);
}

}  // namespace pvtest
