#pragma once
// A second connection to the session bus, standing for another program, for
// calls gdbus cannot make: too long for a command line, or of the wrong shape.
#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QString>
#include <QVariantList>

#include "support/flavours.h"

namespace test {

class BusCaller {
 public:
  // On the session bus, or on the bus at address when one is given.
  explicit BusCaller(const QString& address = QString());
  ~BusCaller();
  Q_DISABLE_COPY_MOVE(BusCaller)

  bool IsConnected() const { return connection_.isConnected(); }
  QDBusConnection& Connection() { return connection_; }
  // Calls method of the program's interface with the arguments as they stand.
  QDBusPendingCall Call(const QString& method, const QVariantList& arguments, int timeoutMs = -1);
  // Calls ServicePerform, allowing time enough for a megabyte of text.
  QDBusPendingCall ServicePerform(const Flavours& pasteboard, const QString& message,
                                  const QString& userData = QString());

 private:
  QDBusConnection connection_;
};

}  // namespace test
