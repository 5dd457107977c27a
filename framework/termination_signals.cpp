#include "framework/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <memory>

#include "framework/application.h"

namespace fw {
namespace {

struct TerminationSignal {
  int number;
  bool taken = false;            // false: ignored at start, left alone
  struct sigaction before = {};  // what it had before the program took it
};
TerminationSignal terminationSignals[] = {{SIGTERM}, {SIGHUP}, {SIGINT}};

// A signal handler may do almost nothing safely; it only writes a byte into
// this pipe, and the event loop reads it.
int pipeEnds[2] = {-1, -1};
std::unique_ptr<QSocketNotifier> notifier;

extern "C" void NoteSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
  errno = savedErrno;
}

void QuitAsTheMenuDoes() {
  char bytes[64];
  while (read(pipeEnds[0], bytes, sizeof bytes) > 0) {
  }
  QuitUnattended();
}

}  // namespace

void QuitOnTerminationSignals() {
  if (notifier) return;
  if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), &QuitAsTheMenuDoes);
  struct sigaction action = {};
  action.sa_handler = &NoteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (TerminationSignal& signal : terminationSignals) {
    sigaction(signal.number, nullptr, &signal.before);
    signal.taken = signal.before.sa_handler != SIG_IGN;
    if (signal.taken) sigaction(signal.number, &action, nullptr);
  }
}

void StopQuittingOnTerminationSignals() {
  if (!notifier) return;
  // The handler must never write to a closed (or reused) descriptor.
  for (const TerminationSignal& signal : terminationSignals)
    if (signal.taken) sigaction(signal.number, &signal.before, nullptr);
  notifier.reset();
  for (int& end : pipeEnds) {
    close(end);
    end = -1;
  }
}

}  // namespace fw
