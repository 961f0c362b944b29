#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace pv {

// Several copies of the program on one program folder. Every running copy
// holds a lock file, so that a copy started on a folder that a running copy
// holds knows it before it writes anything. The first copy locks the program
// folder itself and saves there; a further copy locks a folder of its own
// below it, "Kopie 2", "Kopie 3", ..., where its intermediate and safety
// saves go, so that no copy overwrites another's. A lock left by a copy that
// is gone (a crash) is taken over, and so is one whose owner cannot be read
// once it is a few seconds old (a power loss before its bytes reached the
// disk); the log says so. A lock that this user may not read is another
// user's copy and counts as held; so does one that is no plain file (a link,
// a pipe), which is never read, and the question names who owns it. A
// further copy's folder that is another user's link is passed over.
inline const QString kSperrdatei = QStringLiteral("Pelvaron.lock");

// A lock that counted as held although its owner could not be read: one
// that this user may not read, or one that is no plain file. Its file and
// the user who owns it, so that the user knows whom to ask.
struct FremdeSperre {
  QString datei;
  QString benutzer;
};

class Ordnersperre {
 public:
  explicit Ordnersperre(const QString& programmordner);
  // Releases the lock; a further copy's folder that it made and that stayed
  // empty goes again.
  ~Ordnersperre();
  Ordnersperre(const Ordnersperre&) = delete;
  Ordnersperre& operator=(const Ordnersperre&) = delete;

  // Another running copy holds the program folder or a further copy's folder.
  bool weitereKopie() const { return weitereKopie_; }
  // Where this copy's intermediate and safety saves go. The program folder
  // also when it cannot be locked at all (a folder that takes no file).
  const QString& sicherungsordner() const { return sicherungsordner_; }
  // The lock file this copy holds; empty when it holds none.
  QString datei() const;
  // The first such lock met; empty when none.
  const FremdeSperre& fremdeSperre() const { return fremd_; }

 private:
  std::unique_ptr<QLockFile> sperre_;
  QString sicherungsordner_;
  bool weitereKopie_ = false;
  bool ordnerAngelegt_ = false;
  FremdeSperre fremd_;
};

// The question a copy asks when another one runs on its program folder:
// what going on means, where this copy's saves go, and who owns a lock whose
// owner could not be read.
QString weitereKopieFrage(const QString& programmordner, const Ordnersperre& sperre);

}  // namespace pv
