#include "support/program_run.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcessEnvironment>
#include <QTest>

#include "framework/application_events.h"

namespace test {

void StartProgram(QProcess& program, const QString& configFolder, const QStringList& variables) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
  for (const QString& variable : variables)
    environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(QUILLFERN_APP_DIR "/quillfern"), {});
}

qint64 BusNameOwner() {
  QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
  const QString name = QLatin1String(fw::ApplicationEvents::kServiceName);
  if (!bus || !bus->isServiceRegistered(name)) return 0;
  return bus->servicePid(name).value();
}

QString ConnectionOf(qint64 processId) {
  QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
  for (const QString& name : bus->registeredServiceNames().value())
    if (name.startsWith(u':') && bus->servicePid(name).value() == processId) return name;
  return {};
}

bool WaitUntilRunning(const QProcess& program, int timeoutMs) {
  const auto running = [&] {
    return program.state() == QProcess::Running && BusNameOwner() == program.processId();
  };
  return QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning || running(); },
                         timeoutMs) &&
         running();
}

bool WaitUntilEnded(QProcess& program, int timeoutMs) {
  return QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, timeoutMs);
}

QByteArray NextLine(QProcess& process, int timeoutMs) {
  (void)QTest::qWaitFor(
      [&] { return process.canReadLine() || process.state() == QProcess::NotRunning; }, timeoutMs);
  return process.readLine();
}

}  // namespace test
