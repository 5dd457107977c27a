#pragma once
// A named pipe put where the program expects a file. Opening a pipe to read
// waits until something opens it to write, so code that wrongly opens it
// would hang the test. After a few seconds the watchdog opens the writing end
// for anything still waiting: the test goes on and fails on ReaderWasStuck().
#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class WatchedPipe {
 public:
  explicit WatchedPipe(const QString& path);
  ~WatchedPipe();  // removes the pipe
  WatchedPipe(const WatchedPipe&) = delete;
  WatchedPipe& operator=(const WatchedPipe&) = delete;

  bool Made() const { return made_; }
  // Whether something waited to read the pipe until the watchdog freed it.
  bool ReaderWasStuck() const { return stuck_; }
  // Whether path is a named pipe, links followed.
  static bool IsPipe(const QString& path);

 private:
  void Watch();

  QByteArray path_;
  bool made_ = false;
  std::atomic<bool> stuck_ = false;
  std::mutex mutex_;
  std::condition_variable stopping_;
  bool stop_ = false;
  std::thread watchdog_;
};
