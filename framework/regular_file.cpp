#include "framework/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace fw {

bool IsRegularFile(const QString& path) {
  struct stat status {};
  return stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

int OpenWithoutWaiting(const char* path, int flags, mode_t mode) {
  // O_NONBLOCK makes the open of a pipe return at once; the type is then
  // checked on what was opened, not on the path, which may have changed.
  const int fd = open(path, flags | O_NONBLOCK, mode);
  if (fd < 0) return fd;
  struct stat status {};
  if (fstat(fd, &status) != 0 || S_ISFIFO(status.st_mode)) {
    close(fd);
    errno = ENXIO;
    return -1;
  }
  if ((flags & O_NONBLOCK) == 0) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

bool OpenRegularFile(QFile& file, QIODevice::OpenMode mode, QString* error) {
  const QString notAFile = QStringLiteral("It is not a regular file.");
  // Asked first, so that a device is not even opened.
  if (!IsRegularFile(file.fileName())) {
    if (error) *error = notAFile;
    return false;
  }
  const int access = mode.testFlag(QIODevice::ReadWrite)   ? O_RDWR
                     : mode.testFlag(QIODevice::WriteOnly) ? O_WRONLY
                                                           : O_RDONLY;
  const int fd =
      OpenWithoutWaiting(QFile::encodeName(file.fileName()).constData(), access | O_CLOEXEC, 0);
  if (fd < 0) {
    if (error) *error = errno == ENXIO ? notAFile : qt_error_string(errno);
    return false;
  }
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {  // swapped since the check
    close(fd);
    if (error) *error = notAFile;
    return false;
  }
  if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
    if (error) *error = file.errorString();
    close(fd);  // a failed open leaves the descriptor to us
    return false;
  }
  return true;
}

}  // namespace fw
