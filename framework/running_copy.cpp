#include "framework/running_copy.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

#include "framework/application_events.h"

namespace fw {
namespace {

// A running copy answers at once; one that does not is stuck, and this
// process runs instead.
constexpr int kAnswerTimeoutMs = 10000;

QVariantMap PlatformData() {
  QVariantMap data;
  if (const QString id = qEnvironmentVariable("DESKTOP_STARTUP_ID"); !id.isEmpty())
    data.insert(QStringLiteral("desktop-startup-id"), id);
  if (const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN"); !token.isEmpty())
    data.insert(QStringLiteral("activation-token"), token);
  return data;
}

}  // namespace

bool ActivateRunningCopy() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  QDBusMessage activate = QDBusMessage::createMethodCall(
      QLatin1String(ApplicationEvents::kServiceName), QLatin1String(ApplicationEvents::kObjectPath),
      QLatin1String(ApplicationEvents::kApplicationInterfaceName), QStringLiteral("Activate"));
  activate << PlatformData();
  // Only a copy that runs already: the bus must not start one for this call.
  activate.setAutoStartService(false);
  return bus.call(activate, QDBus::Block, kAnswerTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

}  // namespace fw
