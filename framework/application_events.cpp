#include "framework/application_events.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMetaType>
#include <QMap>
#include <QtGlobal>

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

ApplicationEvents::ApplicationEvents(QObject* parent) : QObject(parent) {
  qDBusRegisterMetaType<QMap<QString, QByteArray>>();
  new ServicesAdaptor(this);
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
  // name without the object behind it.
  if (!bus.registerService(QLatin1String(kServiceName))) {
    bus.unregisterObject(QLatin1String(kObjectPath));
    Fail(QStringLiteral("the name %1 is taken (is another Quillfern running?)")
             .arg(QLatin1String(kServiceName)));
    return false;
  }
  listening_ = true;
  return true;
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
