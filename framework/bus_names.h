#pragma once
// Claiming and giving up a well-known name on the session bus, from the event
// loop. The bus daemon answers these at once; one that hangs holds the loop
// for a few seconds at most, and a termination signal that arrives meanwhile
// is acted on as soon as the loop runs again.
#include <QDBusConnection>
#include <QString>

namespace fw {

enum class NameClaim {
  Owned,   // this connection owns the name
  InLine,  // another holds it; this connection gets it once the others let it go
  Failed,  // the bus refused or did not answer; why says which
};

// Asks for the name, waiting in line when it is held, and lets nobody take it over.
NameClaim ClaimName(QDBusConnection& bus, const QString& name, QString* why);
// Gives the name up, or this connection's place in line for it.
void ReleaseName(QDBusConnection& bus, const QString& name);

}  // namespace fw
