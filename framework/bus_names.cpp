#include "framework/bus_names.h"

#include <QDBusMessage>

namespace fw {
namespace {

constexpr int kBusDaemonTimeoutMs = 5000;

// What RequestName answers, as the bus daemon numbers it.
enum : uint { kPrimaryOwner = 1, kInQueue = 2, kExists = 3, kAlreadyOwner = 4 };

QDBusMessage CallBusDaemon(QDBusConnection& bus, const QString& method, const QVariantList& args) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
      QStringLiteral("org.freedesktop.DBus"), method);
  call.setArguments(args);
  return bus.call(call, QDBus::Block, kBusDaemonTimeoutMs);
}

}  // namespace

NameClaim ClaimName(QDBusConnection& bus, const QString& name, QString* why) {
  // Flags 0: queue behind the owner, and never be replaced by a later claim.
  const QDBusMessage reply = CallBusDaemon(bus, QStringLiteral("RequestName"), {name, 0u});
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) {
    *why = reply.errorMessage();
    return NameClaim::Failed;
  }
  switch (reply.arguments().first().toUInt()) {
    case kPrimaryOwner:
    case kAlreadyOwner:
      return NameClaim::Owned;
    case kInQueue:
      return NameClaim::InLine;
    default:
      *why = QStringLiteral("the bus keeps it for its owner");
      return NameClaim::Failed;
  }
}

void ReleaseName(QDBusConnection& bus, const QString& name) {
  CallBusDaemon(bus, QStringLiteral("ReleaseName"), {name});
}

}  // namespace fw
