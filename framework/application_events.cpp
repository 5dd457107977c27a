#include "framework/application_events.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QMap>
#include <QVariantMap>
#include <QtGlobal>

#include "framework/activation_token.h"
#include "framework/application.h"
#include "framework/copy_on_the_bus.h"
#include "framework/frontmost.h"

namespace fw {
namespace {

// Answers the call with an error instead of the method's own reply.
void Refuse(const QDBusMessage& call, QDBusError::ErrorType type, const QString& why) {
  call.setDelayedReply(true);
  QDBusConnection::sessionBus().send(call.createErrorReply(type, why));
}

// A copy on its way out takes no request: a window it opened now would go
// with it. The caller tries the copy that has the name next.
bool RefusedWhileQuitting(const QDBusMessage& call) {
  if (!QuitRequested()) return false;
  Refuse(call, QDBusError::Failed, QStringLiteral("quitting"));
  return true;
}

}  // namespace

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
                      const QString& userData, const QDBusMessage& call) {
    if (RefusedWhileQuitting(call)) return false;
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
    // Refused, the start runs on its own instead.
    if (RefusedWhileQuitting(call)) return;
    WithActivationToken(platformData.value(QStringLiteral("activation-token")).toString(),
                        &BringApplicationToFront);
  }
};

ApplicationEvents::ApplicationEvents(QObject* parent) : QObject(parent) {
  qDBusRegisterMetaType<QMap<QString, QByteArray>>();
  new ServicesAdaptor(this);
  new LauncherAdaptor(this);
}

ApplicationEvents::~ApplicationEvents() = default;

bool ApplicationEvents::Listen() {
  if (!copy_) copy_ = std::make_unique<CopyOnTheBus>(this);
  return copy_->Claim();
}

bool ApplicationEvents::IsListening() const {
  return copy_ && copy_->CurrentState() != CopyOnTheBus::State::Off;
}

bool ApplicationEvents::ServicePerform(const Pasteboard&, const QString&, const QString&) {
  return false;
}

}  // namespace fw

#include "application_events.moc"
