#include "framework/copy_on_the_bus.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDebug>
#include <QVariantMap>
#include <limits>

#include "framework/application.h"
#include "framework/application_events.h"

namespace fw {
namespace {

// A running copy answers at once; one that does not is stuck, and this
// process runs instead.
constexpr int kAnswerTimeoutMs = 10000;
// The bus daemon answers at once too; one that hangs holds the loop this long.
constexpr int kBusDaemonTimeoutMs = 5000;
// libdbus's "wait for ever" (DBUS_TIMEOUT_INFINITE), for an answer that
// matters however late it comes.
constexpr int kNoTimeout = std::numeric_limits<int>::max();

// What RequestName answers, as the bus daemon numbers it.
enum : uint { kPrimaryOwner = 1, kInQueue = 2, kAlreadyOwner = 4 };

// The copy asked at start: once is enough, whatever it answered.
QString askedAtStart;

QString Name() { return QLatin1String(ApplicationEvents::kServiceName); }
QString Path() { return QLatin1String(ApplicationEvents::kObjectPath); }

QDBusMessage BusDaemonCall(const QString& method) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
      QStringLiteral("org.freedesktop.DBus"), method);
  call << Name();
  return call;
}

// Addressed to the copy's own connection, never to whoever holds the name by
// the time it arrives, which could be this process.
QDBusMessage ActivateCall(const QString& copy) {
  QDBusMessage activate = QDBusMessage::createMethodCall(
      copy, Path(), QLatin1String(ApplicationEvents::kApplicationInterfaceName),
      QStringLiteral("Activate"));
  // Qt's platform plugin has taken the X11 startup id from the environment
  // already; the Wayland token is still there.
  QVariantMap platformData;
  if (const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN"); !token.isEmpty())
    platformData.insert(QStringLiteral("activation-token"), token);
  activate << platformData;
  return activate;
}

bool TimedOut(const QDBusMessage& reply) {
  const QDBusError::ErrorType type = QDBusError(reply).type();
  return type == QDBusError::NoReply || type == QDBusError::Timeout;
}

}  // namespace

bool CopyOnTheBus::BringRunningCopyForward() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  const QDBusReply<QString> owner = bus.interface()->serviceOwner(Name());
  askedAtStart = owner.isValid() ? owner.value() : QString();
  if (askedAtStart.isEmpty()) return false;
  return bus.call(ActivateCall(askedAtStart), QDBus::Block, kAnswerTimeoutMs).type() ==
         QDBusMessage::ReplyMessage;
}

CopyOnTheBus::CopyOnTheBus(QObject* object) : object_(object), bus_(QDBusConnection::sessionBus()) {
  if (!askedAtStart.isEmpty()) asked_.insert(askedAtStart);
}

CopyOnTheBus::~CopyOnTheBus() {
  // The bus connection lives as long as the application object.
  if (QCoreApplication::instance()) Release();
}

bool CopyOnTheBus::Claim() {
  if (claimed_) return state_ != State::Off;
  claimed_ = true;
  if (!bus_.isConnected())
    return Fail(QStringLiteral("no session bus (%1)").arg(bus_.lastError().message()));
  // The object first, so a request never finds the name without it.
  if (!bus_.registerObject(Path(), object_, QDBusConnection::ExportAdaptors))
    return Fail(QStringLiteral("the object path %1 is already in use").arg(Path()));
  state_ = State::InLine;
  // Watched before it is asked for: NameOwnerChanged then tells of a grant,
  // however late it comes.
  watch_ = new QDBusServiceWatcher(Name(), bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(watch_, &QDBusServiceWatcher::serviceOwnerChanged, this,
          [this](const QString&, const QString&, const QString& owner) { OwnerIs(owner); });
  // Flags 0: queue behind the owner, and never be replaced by a later claim.
  QDBusMessage request = BusDaemonCall(QStringLiteral("RequestName"));
  request << 0u;
  const QDBusMessage reply = bus_.call(request, QDBus::Block, kBusDaemonTimeoutMs);
  const uint answer = reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1
                          ? reply.arguments().first().toUInt()
                          : 0;
  if (answer == kPrimaryOwner || answer == kAlreadyOwner) {
    BecomeOwner();
    return true;
  }
  if (answer != kInQueue && !TimedOut(reply)) {
    Release();
    return Fail(QStringLiteral("the name %1 cannot be claimed (%2)")
                    .arg(Name(), answer ? QStringLiteral("the bus keeps it for its owner")
                                        : reply.errorMessage()));
  }
  // Asked after the claim, the bus answers after it: with the owner the
  // claim found, or with this connection once a late claim got the name.
  // However long the bus stalls: NameOwnerChanged tells only of a change, so
  // an owner named by no other answer would never be asked to come forward.
  auto* owner = new QDBusPendingCallWatcher(
      bus_.asyncCall(BusDaemonCall(QStringLiteral("GetNameOwner")), kNoTimeout), this);
  connect(owner, &QDBusPendingCallWatcher::finished, this, [this, owner] {
    owner->deleteLater();
    if (const QDBusPendingReply<QString> reply = *owner; reply.isValid()) OwnerIs(reply.value());
  });
  return true;
}

void CopyOnTheBus::OwnerIs(const QString& owner) {
  if (state_ != State::InLine) return;
  if (owner == bus_.baseService()) {
    BecomeOwner();
    return;
  }
  if (owner.isEmpty() || asked_.contains(owner)) return;
  asked_.insert(owner);
  auto* call =
      new QDBusPendingCallWatcher(bus_.asyncCall(ActivateCall(owner), kAnswerTimeoutMs), this);
  connect(call, &QDBusPendingCallWatcher::finished, this, [this, call] {
    call->deleteLater();
    // Quitting, gone or stuck: the next owner is asked.
    if (state_ == State::InLine && !call->isError()) StepBack();
  });
}

void CopyOnTheBus::BecomeOwner() {
  state_ = State::Owner;
  // Nobody takes the name from its owner: answers still due go unheard.
  StopWatching();
}

void CopyOnTheBus::StepBack() {
  Release();
  QuitUnattended();
}

void CopyOnTheBus::StopWatching() {
  // Later: this may run inside the watch's own signal.
  if (watch_) watch_->deleteLater();
  watch_ = nullptr;
}

void CopyOnTheBus::Release() {
  StopWatching();
  if (state_ == State::Off) return;
  state_ = State::Off;
  // Sent without waiting: the bus handles it before anything this
  // connection sends later, and a process that ends gives the name up anyway.
  bus_.send(BusDaemonCall(QStringLiteral("ReleaseName")));
  bus_.unregisterObject(Path());
}

bool CopyOnTheBus::Fail(const QString& reason) {
  qWarning().noquote()
      << QStringLiteral("Not accepting text from other applications: %1").arg(reason);
  return false;
}

}  // namespace fw
