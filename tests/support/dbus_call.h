#pragma once
// Runs the real gdbus client as another program calling ours. The call runs
// asynchronously, so the test's event loop keeps serving the request meanwhile.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace test {

// A byte array in GVariant text form, byte for byte ("[byte 0x41, 0x42]"); unlike a
// b'...' bytestring it carries no NUL terminator.
QString GVariantBytes(const QByteArray& bytes);

// A pasteboard of one flavour in GVariant text form, as a caller types it on
// gdbus's command line: "{'text/plain': [byte 0x41]}".
QString OneFlavour(const QString& flavour, const QByteArray& bytes);

class GdbusCall {
 public:
  // Calls ServicePerform with a pasteboard written in GVariant text form,
  // e.g. "{'text/plain': [byte 0x41]}".
  void ServicePerform(const QString& pasteboard, const QString& message, const QString& userData);
  // Any gdbus subcommand, e.g. {"introspect", "--session", ...}.
  void Start(const QStringList& arguments);

  bool Finished() const { return process_.state() == QProcess::NotRunning; }
  bool Succeeded() const;
  // gdbus's standard output without the final newline, e.g. "(true,)".
  QString Output();
  QString Errors();

 private:
  QProcess process_;
};

}  // namespace test
