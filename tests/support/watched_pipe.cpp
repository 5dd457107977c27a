#include "support/watched_pipe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <chrono>

namespace {
// Far longer than any open that does not wait takes.
constexpr std::chrono::seconds kPatience(3);
constexpr std::chrono::milliseconds kPoll(50);
}  // namespace

WatchedPipe::WatchedPipe(const QString& path) : path_(QFile::encodeName(path)) {
  made_ = mkfifo(path_.constData(), 0600) == 0;
  if (made_) watchdog_ = std::thread(&WatchedPipe::Watch, this);
}

WatchedPipe::~WatchedPipe() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  stopping_.notify_all();
  if (watchdog_.joinable()) watchdog_.join();
  if (made_) unlink(path_.constData());
}

bool WatchedPipe::IsPipe(const QString& path) {
  struct stat status {};
  return stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

void WatchedPipe::Watch() {
  std::unique_lock lock(mutex_);
  if (stopping_.wait_for(lock, kPatience, [this] { return stop_; })) return;
  do {
    // Opening to write without waiting succeeds only while a reader has the
    // pipe open, and it lets a reader waiting in open go on.
    const int fd = open(path_.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
      stuck_ = true;
      close(fd);
    }
  } while (!stopping_.wait_for(lock, kPoll, [this] { return stop_; }));
}
