#include "framework/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <memory>

#include "framework/application.h"
#include "framework/message_box.h"

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
volatile sig_atomic_t noted = 0;  // a signal whose byte the loop has not read

extern "C" void NoteSignal(int signal) {
  const int savedErrno = errno;
  noted = signal;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
  errno = savedErrno;
}

void QuitAsTheMenuDoes() {
  // Cleared first: a signal that lands while the pipe drains stays noted.
  noted = 0;
  char bytes[64];
  while (read(pipeEnds[0], bytes, sizeof bytes) > 0) {
  }
  // Boxes waiting for an answer go without one: a box's own loop ends with
  // it, and a worker waiting on one is not resumed into a run that is ending.
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
      dialog->hide();
  // Nor is anybody there to answer a box that closing the windows raises (a
  // size that cannot be stored): the session will not wait for it.
  MessagesToStandardError();
  QuitMenuAction();
}

void TakeSignals() {
  struct sigaction action = {};
  action.sa_handler = &NoteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const TerminationSignal& signal : terminationSignals)
    if (signal.taken) sigaction(signal.number, &action, nullptr);
}

void GiveSignalsBack() {
  for (const TerminationSignal& signal : terminationSignals)
    if (signal.taken) sigaction(signal.number, &signal.before, nullptr);
}

}  // namespace

void QuitOnTerminationSignals() {
  if (notifier) return;
  if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), &QuitAsTheMenuDoes);
  for (TerminationSignal& signal : terminationSignals) {
    sigaction(signal.number, nullptr, &signal.before);
    signal.taken = signal.before.sa_handler != SIG_IGN;
  }
  noted = 0;
  TakeSignals();
}

void StopQuittingOnTerminationSignals() {
  if (!notifier) return;
  // The handler must never write to a closed (or reused) descriptor.
  GiveSignalsBack();
  notifier.reset();
  for (int& end : pipeEnds) {
    close(end);
    end = -1;
  }
}

// Once a window exists the user may have changed something it keeps when it
// closes: from then on a signal always waits for the loop.
BlockingWait::BlockingWait()
    : active_(notifier != nullptr && QApplication::topLevelWidgets().isEmpty()) {
  if (!active_) return;
  GiveSignalsBack();
  // One that came just before would otherwise wait for the end of the call.
  if (const int signal = noted) raise(signal);
}

BlockingWait::~BlockingWait() {
  if (active_ && notifier) TakeSignals();
}

}  // namespace fw
