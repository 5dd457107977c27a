#include "framework/application_events.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QMap>
#include <QVariantMap>
#include <QtGlobal>

#include "framework/activation_token.h"
#include "framework/application.h"
#include "framework/frontmost.h"
#include "framework/running_copy.h"
#include "framework/termination_signals.h"

namespace fw {

// The exported face of ApplicationEvents: QtDBus publishes this slot, typed
// a{say} s s -> b, and hands each call on to the virtual ServicePerform.
class ServicesAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.quillfern.Services")

 public:
  explicit ServicesAdaptor(ApplicationEvents* events)
      : QDBusAbstractAdaptor(events), events_(events) {}

 public slots:
  bool ServicePerform(const QMap<QString, QByteArray>& pasteboard, const QString& message,
                      const QString& userData) {
    return events_->ServicePerform(Pasteboard(pasteboard), message, userData);
  }

 private:
  ApplicationEvents* events_;
};

// What launchers call on a program that runs already (the freedesktop
// Application interface): it comes to the front, as for a request, without a
// lookup. The program opens no documents and offers no actions.
class LauncherAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

 public:
  explicit LauncherAdaptor(ApplicationEvents* events) : QDBusAbstractAdaptor(events) {}

 public slots:
  void Activate(const QVariantMap& platformData, const QDBusMessage& call) {
    ComeToFront(platformData, call);
  }
  void Open(const QStringList&, const QVariantMap& platformData, const QDBusMessage& call) {
    ComeToFront(platformData, call);
  }
  void ActivateAction(const QString& name, const QVariantList&, const QVariantMap&,
                      const QDBusMessage& call) {
    Refuse(call, QDBusError::NotSupported, QStringLiteral("no action %1").arg(name));
  }

 private:
  static void ComeToFront(const QVariantMap& platformData, const QDBusMessage& call) {
    // A copy on its way out must not take the start: the caller runs instead.
    if (QuitRequested()) {
      Refuse(call, QDBusError::Failed, QStringLiteral("quitting"));
      return;
    }
    WithActivationToken(platformData.value(QStringLiteral("activation-token")).toString(),
                        &BringApplicationToFront);
  }
  static void Refuse(const QDBusMessage& call, QDBusError::ErrorType type, const QString& why) {
    call.setDelayedReply(true);
    QDBusConnection::sessionBus().send(call.createErrorReply(type, why));
  }
};

ApplicationEvents::ApplicationEvents(QObject* parent) : QObject(parent) {
  qDBusRegisterMetaType<QMap<QString, QByteArray>>();
  new ServicesAdaptor(this);
  new LauncherAdaptor(this);
}

ApplicationEvents::~ApplicationEvents() {
  // The bus connection lives as long as the application object.
  if (!listening_ || !QCoreApplication::instance()) return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  bus.unregisterService(QLatin1String(kServiceName));
  bus.unregisterObject(QLatin1String(kObjectPath));
}

bool ApplicationEvents::Listen() {
  if (listening_) return true;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    Fail(QStringLiteral("no session bus (%1)").arg(bus.lastError().message()));
    return false;
  }
  if (!bus.registerObject(QLatin1String(kObjectPath), this, QDBusConnection::ExportAdaptors)) {
    Fail(QStringLiteral("the object path %1 is already in use").arg(QLatin1String(kObjectPath)));
    return false;
  }
  // Claim the name only once the object is there, so a request never finds the
  // name without the object behind it. Waiting in line for a name that is
  // held lets this process take over from one that is quitting.
  QDBusReply<QDBusConnectionInterface::RegisterServiceReply> claim;
  {
    BlockingWait wait;
    claim = bus.interface()->registerService(QLatin1String(kServiceName),
                                             QDBusConnectionInterface::QueueService,
                                             QDBusConnectionInterface::DontAllowReplacement);
  }
  if (!claim.isValid() || claim.value() == QDBusConnectionInterface::ServiceNotRegistered) {
    bus.unregisterObject(QLatin1String(kObjectPath));
    Fail(QStringLiteral("the name %1 cannot be claimed (%2)")
             .arg(QLatin1String(kServiceName), claim.error().message()));
    return false;
  }
  listening_ = true;
  // Held by a copy started at the same moment: once it has come forward, this
  // one is not needed.
  if (claim.value() == QDBusConnectionInterface::ServiceQueued)
    ActivateRunningCopyLater(this, [this] { StepBack(); });
  return true;
}

void ApplicationEvents::StepBack() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  bus.unregisterService(QLatin1String(kServiceName));
  bus.unregisterObject(QLatin1String(kObjectPath));
  listening_ = false;
  Quit(0);
}

bool ApplicationEvents::ServicePerform(const Pasteboard&, const QString&, const QString&) {
  return false;
}

void ApplicationEvents::Fail(const QString& reason) {
  if (failureReported_) return;
  failureReported_ = true;
  qWarning().noquote()
      << QStringLiteral("Not accepting text from other applications: %1").arg(reason);
}

}  // namespace fw

#include "application_events.moc"
