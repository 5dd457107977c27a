#include "support/dbus_call.h"

#include "framework/application_events.h"

namespace test {

QString GVariantBytes(const QByteArray& bytes) {
  if (bytes.isEmpty()) return QStringLiteral("@ay []");
  QStringList values;
  values.reserve(bytes.size());
  for (const char byte : bytes)
    values << QStringLiteral("0x%1").arg(static_cast<unsigned char>(byte), 2, 16, QLatin1Char('0'));
  return QStringLiteral("[byte %1]").arg(values.join(QStringLiteral(", ")));
}

QString OneFlavour(const QString& flavour, const QByteArray& bytes) {
  return QStringLiteral("{'%1': %2}").arg(flavour, GVariantBytes(bytes));
}

void GdbusCall::ServicePerform(const QString& pasteboard, const QString& message,
                               const QString& userData) {
  Start({QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--dest"),
         QLatin1String(fw::ApplicationEvents::kServiceName), QStringLiteral("--object-path"),
         QLatin1String(fw::ApplicationEvents::kObjectPath), QStringLiteral("--method"),
         QLatin1String(fw::ApplicationEvents::kInterfaceName) + QStringLiteral(".ServicePerform"),
         pasteboard, message, userData});
}

void GdbusCall::Start(const QStringList& arguments) {
  process_.start(QStringLiteral("gdbus"), arguments);
}

bool GdbusCall::Succeeded() const {
  return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

QString GdbusCall::Output() {
  QString out = QString::fromUtf8(process_.readAllStandardOutput());
  if (out.endsWith(QLatin1Char('\n'))) out.chop(1);
  return out;
}

QString GdbusCall::Errors() { return QString::fromUtf8(process_.readAllStandardError()); }

}  // namespace test
