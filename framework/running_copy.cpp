#include "framework/running_copy.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QSet>
#include <QVariantMap>

#include "framework/application_events.h"
#include "framework/termination_signals.h"

namespace fw {
namespace {

// A running copy answers at once; one that does not is stuck, and this
// process runs instead.
constexpr int kAnswerTimeoutMs = 10000;

// The copy ActivateRunningCopy asked: once is enough, whatever it answered.
QString askedCopy;

QString ServiceName() { return QLatin1String(ApplicationEvents::kServiceName); }

QDBusMessage ActivateCall(const QString& copy) {
  QDBusMessage activate = QDBusMessage::createMethodCall(
      copy, QLatin1String(ApplicationEvents::kObjectPath),
      QLatin1String(ApplicationEvents::kApplicationInterfaceName), QStringLiteral("Activate"));
  // Qt's platform plugin has taken the X11 startup id from the environment
  // already; the Wayland token is still there.
  QVariantMap platformData;
  if (const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN"); !token.isEmpty())
    platformData.insert(QStringLiteral("activation-token"), token);
  activate << platformData;
  return activate;
}

// Waits in line beside the name: every copy that comes to own it is asked to
// come forward, until one does or the name passes to this process.
class HandOver : public QObject {
 public:
  HandOver(QObject* receiver, std::function<void()> cameForward)
      : QObject(receiver),
        cameForward_(std::move(cameForward)),
        bus_(QDBusConnection::sessionBus()),
        watcher_(ServiceName(), bus_, QDBusServiceWatcher::WatchForOwnerChange) {
    if (!askedCopy.isEmpty()) asked_.insert(askedCopy);
    connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) { Ask(owner); });
    // The owner as the watch begins; a change from now on comes from the watcher.
    auto* owner = new QDBusPendingCallWatcher(
        bus_.interface()->asyncCall(QStringLiteral("GetNameOwner"), ServiceName()), this);
    connect(owner, &QDBusPendingCallWatcher::finished, this, [this, owner] {
      owner->deleteLater();
      if (const QDBusPendingReply<QString> reply = *owner; reply.isValid()) Ask(reply.value());
    });
  }

 private:
  void Ask(const QString& copy) {
    if (done_) return;
    if (copy == bus_.baseService()) {
      Done();  // this process runs; answers still due are not heard
      return;
    }
    if (copy.isEmpty() || asked_.contains(copy)) return;
    asked_.insert(copy);
    auto* call =
        new QDBusPendingCallWatcher(bus_.asyncCall(ActivateCall(copy), kAnswerTimeoutMs), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call] {
      call->deleteLater();
      // Quitting, gone or stuck: the next owner is asked.
      if (done_ || call->isError()) return;
      Done();
      cameForward_();
    });
  }
  void Done() {
    done_ = true;
    deleteLater();
  }

  std::function<void()> cameForward_;
  QDBusConnection bus_;
  QDBusServiceWatcher watcher_;
  QSet<QString> asked_;
  bool done_ = false;
};

}  // namespace

bool ActivateRunningCopy() {
  // Connecting may hang as well, on a bus that does not answer.
  BlockingWait wait;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  const QDBusReply<QString> owner = bus.interface()->serviceOwner(ServiceName());
  askedCopy = owner.isValid() ? owner.value() : QString();
  if (askedCopy.isEmpty()) return false;
  return bus.call(ActivateCall(askedCopy), QDBus::Block, kAnswerTimeoutMs).type() ==
         QDBusMessage::ReplyMessage;
}

void ActivateRunningCopyLater(QObject* receiver, std::function<void()> cameForward) {
  new HandOver(receiver, std::move(cameForward));
}

}  // namespace fw
