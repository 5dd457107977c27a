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

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

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
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

void StopQuittingOnTerminationSignals() {
  if (!notifier) return;
  // The handler must never write to a closed (or reused) descriptor.
  for (int signal : kSignals) std::signal(signal, SIG_DFL);
  notifier.reset();
  for (int& end : pipeEnds) {
    close(end);
    end = -1;
  }
}

}  // namespace fw
