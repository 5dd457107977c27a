#pragma once
// The real program, built beside its data, started in a process of its own as
// a user or a launcher starts it, and what a process of the suite prints.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace test {

// The real program with a preferences folder of its own.
struct ProgramCopy {
  QTemporaryDir config;
  const QString preferences = config.filePath(QStringLiteral("Quillfern Preferences"));
  QProcess program;
};

// Starts the program with its preferences in configFolder and the test's
// environment, changed by the given variables ("NAME=value").
void StartProgram(QProcess& program, const QString& configFolder,
                  const QStringList& variables = {});
// The process that owns the program's bus name, or 0 when nobody does.
qint64 BusNameOwner();
// The unique bus name of the process's connection; empty while it has none.
QString ConnectionOf(qint64 processId);
// Waits until program owns the bus name: its main window is built and it
// listens. False when it does not within the time given.
bool WaitUntilRunning(const QProcess& program, int timeoutMs = 60000);
// Waits for program to end; false when it does not within the time given.
bool WaitUntilEnded(QProcess& program, int timeoutMs = 60000);
// The next line a process prints, with its end of line, once it has come;
// what is left when the process ends first or the time runs out.
QByteArray NextLine(QProcess& process, int timeoutMs = 20000);

}  // namespace test
