#pragma once
// Opening files that may turn out to be something else. Opening a named pipe
// to read waits until another program opens it to write, which may be never;
// a device or a socket is no file of the program's either. Links are followed.
#include <sys/types.h>

#include <QFile>
#include <QString>

namespace fw {

// Whether path is a regular file, found without opening it.
bool IsRegularFile(const QString& path);

// Opens file (by its file name) in mode, never creating it, only when it is a
// regular file, and without waiting even if the path was swapped for a pipe
// after a check. False, with the reason in *error when asked, otherwise.
bool OpenRegularFile(QFile& file, QIODevice::OpenMode mode, QString* error = nullptr);

// open(2) that never waits on a named pipe: one is closed again at once, and
// -1 returned with errno ENXIO. The descriptor returned blocks as usual.
int OpenWithoutWaiting(const char* path, int flags, mode_t mode);

}  // namespace fw
