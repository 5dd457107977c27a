#include "framework/running_copy.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
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

QVariantMap PlatformData() {
  QVariantMap data;
  if (const QString id = qEnvironmentVariable("DESKTOP_STARTUP_ID"); !id.isEmpty())
    data.insert(QStringLiteral("desktop-startup-id"), id);
  if (const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN"); !token.isEmpty())
    data.insert(QStringLiteral("activation-token"), token);
  return data;
}

// The unique connection name of the name's owner; empty when nobody owns it.
QString NameOwner(QDBusConnection& bus) {
  const QDBusReply<QString> owner =
      bus.interface()->serviceOwner(QLatin1String(ApplicationEvents::kServiceName));
  return owner.isValid() ? owner.value() : QString();
}

QDBusMessage ActivateCall(const QString& copy) {
  QDBusMessage activate = QDBusMessage::createMethodCall(
      copy, QLatin1String(ApplicationEvents::kObjectPath),
      QLatin1String(ApplicationEvents::kApplicationInterfaceName), QStringLiteral("Activate"));
  activate << PlatformData();
  return activate;
}

}  // namespace

bool ActivateRunningCopy() {
  // Connecting may hang as well, on a bus that does not answer.
  BlockingWait wait;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  askedCopy = NameOwner(bus);
  if (askedCopy.isEmpty()) return false;
  return bus.call(ActivateCall(askedCopy), QDBus::Block, kAnswerTimeoutMs).type() ==
         QDBusMessage::ReplyMessage;
}

void ActivateRunningCopyLater(QObject* receiver, std::function<void()> cameForward) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  QString copy;
  {
    BlockingWait wait;
    copy = NameOwner(bus);
  }
  if (copy.isEmpty() || copy == bus.baseService() || copy == askedCopy) return;
  auto* watcher =
      new QDBusPendingCallWatcher(bus.asyncCall(ActivateCall(copy), kAnswerTimeoutMs), receiver);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, receiver,
                   [watcher, cameForward = std::move(cameForward)] {
                     watcher->deleteLater();
                     if (!watcher->isError()) cameForward();
                   });
}

}  // namespace fw
