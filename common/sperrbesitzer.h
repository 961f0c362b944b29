#pragma once

#include <QString>
#include <climits>
#include <cstdint>

namespace pv {

// The owner a lock file names, read with system calls alone: no Qt, no
// allocation, so that a thread running while exit() destroys static objects
// and a signal handler may read it. Only a regular file is read, never
// through a link, and a FIFO put there cannot make the read wait.
//
// Programs write the process id in digits on the first line, padded with
// blanks or zeros (serial tools, terminal programs), or as a binary 4-byte
// int (old programs). Qt's lock files add the name of the program's file on
// the second line, then the host.
struct Sperrbesitzer {
  int64_t pid = 0;       // 0: none could be read
  bool mitName = false;  // the lock carries a program name
  char name[PATH_MAX] = {};  // that name as Qt reads it
};
Sperrbesitzer sperrbesitzerLesen(const char* pfad);

// Whether the lock's owner runs. A lock that carries a program name is
// judged as Qt judges it, so that the open agrees: its process must run
// under that name (the file name of /proc/<pid>/exe; a name that is a link
// counts as the file name of its target), else its id was given anew. A
// process whose program cannot be read (another user's) still counts as
// the owner, where Qt would take the lock: no lock of a running process is
// taken unseen. A lock without a name is held while any process has its id.
bool sperrbesitzerLaeuft(const Sperrbesitzer& besitzer);

// The file name of the program the process `pid` runs, into `puffer`;
// false when it cannot be read.
bool programmName(int64_t pid, char* puffer, size_t groesse);

// The lock files this process may hold, for an end that cannot leave
// through their owners (the deadline, a forced end). Kept by the main
// thread: a path once noted stays noted.
void sperrdateiMerken(const QString& datei);
// Removes those of them whose lock names this process. Safe in a signal
// handler. A lock released and taken by another process between the read
// of its owner and the removal would go too: only ends that cannot release
// their locks themselves come here.
void eigeneSperrenEntfernen();

}  // namespace pv
