#pragma once

#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace pvtest {

// A folder on a small filesystem of its own: a tmpfs mounted on `ordner`
// (an empty folder; a fresh temporary one when none is given) and taken
// away again afterwards, so that writes meet a really full disk. Only root
// may mount; otherwise bereit() is false and the test skips with grund().
// Root that cannot mount for another reason than lacking the right is a
// failure.
class KleinesDateisystem {
 public:
  explicit KleinesDateisystem(const QString& ordner = {}, int kib = 64);
  ~KleinesDateisystem();
  KleinesDateisystem(const KleinesDateisystem&) = delete;
  KleinesDateisystem& operator=(const KleinesDateisystem&) = delete;

  bool bereit() const { return bereit_; }
  const QString& grund() const { return grund_; }
  QString pfad(const QString& name = {}) const;

  // Fills the filesystem with a file of its own until only `frei` bytes,
  // rounded up to whole blocks, are left.
  void fuellen(qint64 frei = 0);
  // Mounts it read-only, as a write-protected medium or a read-only bind
  // mount is: not even root can write then.
  void nurLesen();

 private:
  std::optional<QTemporaryDir> eigener_;
  QString pfad_;
  QString grund_;
  bool bereit_ = false;
};

}  // namespace pvtest
