#include "support/bus_caller.h"

#include <QDBusMessage>
#include <QDBusMetaType>

#include "framework/application_events.h"

namespace test {
namespace {
const QString kConnectionName = QStringLiteral("another program");
}

BusCaller::BusCaller(const QString& address)
    : connection_(address.isEmpty()
                      ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, kConnectionName)
                      : QDBusConnection::connectToBus(address, kConnectionName)) {
  qDBusRegisterMetaType<Flavours>();
}

BusCaller::~BusCaller() { QDBusConnection::disconnectFromBus(kConnectionName); }

QDBusPendingCall BusCaller::Call(const QString& method, const QVariantList& arguments,
                                 int timeoutMs) {
  QDBusMessage request =
      QDBusMessage::createMethodCall(QLatin1String(fw::ApplicationEvents::kServiceName),
                                     QLatin1String(fw::ApplicationEvents::kObjectPath),
                                     QLatin1String(fw::ApplicationEvents::kInterfaceName), method);
  request.setArguments(arguments);
  return connection_.asyncCall(request, timeoutMs);
}

QDBusPendingCall BusCaller::ServicePerform(const Flavours& pasteboard, const QString& message,
                                           const QString& userData) {
  return Call(QStringLiteral("ServicePerform"),
              {QVariant::fromValue(pasteboard), message, userData}, 60000);
}

}  // namespace test
