#include "support/x_tools.h"

#include <QProcess>
#include <QTest>

std::optional<QString> XToolOutput(const QString& program, const QStringList& arguments) {
  QProcess tool;
  tool.start(program, arguments);
  if (!tool.waitForStarted() ||
      !QTest::qWaitFor([&tool] { return tool.state() == QProcess::NotRunning; }, 10000) ||
      tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
    return std::nullopt;
  return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

bool XDoTool(const QStringList& arguments) {
  return XToolOutput(QStringLiteral("xdotool"), arguments).has_value();
}
