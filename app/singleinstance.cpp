#include "app/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace quotalis {

namespace {

enum class Claim { Held, HeldElsewhere, Unavailable };

#ifdef Q_OS_WIN
Claim TryClaim() {
  // A named mutex in the session's own namespace, named for the user too.
  const QString name = QStringLiteral("Local\\Quotalis.") + qEnvironmentVariable("USERNAME");
  HANDLE mutex = CreateMutexW(nullptr, FALSE, reinterpret_cast<LPCWSTR>(name.utf16()));
  if (mutex == nullptr) return Claim::Unavailable;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return Claim::HeldElsewhere;
  }
  return Claim::Held;  // the handle stays open until the process ends
}
#else
Claim TryClaim() {
  // The runtime folder belongs to the user alone (mode 0700).
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) return Claim::Unavailable;
  const QByteArray path = QFile::encodeName(QDir(folder).filePath(QStringLiteral("quotalis.lock")));
  const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return Claim::Unavailable;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return busy ? Claim::HeldElsewhere : Claim::Unavailable;
  }
  return Claim::Held;  // the descriptor stays open until the process ends
}
#endif

}  // namespace

bool AnotherCopyRunning() {
  // Asked once: a later call (the main window loaded again) gets the same
  // answer, so the program never takes a copy started since for another.
  // Without a place for the lock the program runs rather than refusing to.
  static const Claim claim = TryClaim();
  return claim == Claim::HeldElsewhere;
}

}  // namespace quotalis
