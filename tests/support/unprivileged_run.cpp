#include "support/unprivileged_run.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDataStream>
#include <QFile>
#include <QtGlobal>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

// The child's exit statuses when body never ran.
constexpr int kStillPrivileged = 3;
constexpr int kFolderOutOfReach = 4;  // a folder above it is closed to others

struct Account {
  uid_t uid = 65534;
  gid_t gid = 65534;
};

Account Nobody() {
  Account account;
  if (const passwd* entry = getpwnam("nobody")) {
    account.uid = entry->pw_uid;
    account.gid = entry->pw_gid;
  }
  return account;
}

// lchown: a link in the folder may point anywhere, and only the folder is the
// test's to hand over.
bool HandOver(const QString& folder, const Account& to) {
  namespace fs = std::filesystem;
  const fs::path root(QFile::encodeName(folder).toStdString());
  std::error_code error;
  if (lchown(root.c_str(), to.uid, to.gid) != 0) return false;
  for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
       it.increment(error))
    if (lchown(it->path().c_str(), to.uid, to.gid) != 0) return false;
  return !error;
}

bool DropPrivileges(const Account& to) {
  return setgroups(0, nullptr) == 0 && setresgid(to.gid, to.gid, to.gid) == 0 &&
         setresuid(to.uid, to.uid, to.uid) == 0 && geteuid() != 0 && setuid(0) != 0;
}

bool WriteAll(int fd, const QByteArray& bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.constData() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += n;
  }
  return true;
}

QByteArray ReadAll(int fd) {
  QByteArray bytes;
  char buffer[4096];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) bytes.append(buffer, n);
  return bytes;
}

[[noreturn]] void RunChild(int fd, const Account& as, const QString& folder,
                           const std::function<QStringList()>& body) {
  if (!DropPrivileges(as)) _exit(kStillPrivileged);
  if (access(QFile::encodeName(folder).constData(), X_OK) != 0) _exit(kFolderOutOfReach);
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out << body();
  // _exit: the child must not run the parent's exit handlers or flush its buffers.
  _exit(WriteAll(fd, bytes) ? 0 : 1);
}

}  // namespace

std::optional<QStringList> RunUnprivileged(const QString& folder,
                                           const std::function<QStringList()>& body) {
  if (geteuid() != 0) return body();
  const Account nobody = Nobody();
  if (!HandOver(folder, nobody)) {
    qWarning("cannot hand %s to the user nobody", qPrintable(folder));
    return std::nullopt;
  }
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) {
    qWarning("cannot make a pipe to the child");
    return std::nullopt;
  }
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    RunChild(pipeEnds[1], nobody, folder, body);
  }
  close(pipeEnds[1]);
  const QByteArray bytes = child > 0 ? ReadAll(pipeEnds[0]) : QByteArray();
  close(pipeEnds[0]);
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) {
    qWarning("cannot start a child process");
    return std::nullopt;
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code == kStillPrivileged)
      qWarning("the child could not drop root's privileges");
    else if (code == kFolderOutOfReach)
      qWarning("the user nobody cannot reach %s: point TMPDIR at a folder others may enter",
               qPrintable(folder));
    else
      qWarning("the unprivileged child failed");
    return std::nullopt;
  }
  QStringList result;
  QDataStream in(bytes);
  in >> result;
  return result;
}
