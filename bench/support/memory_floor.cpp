#include "bench/support/memory_floor.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kTimeoutMs = 120000;

std::nullopt_t Failed(const QString& reason) {
  std::fprintf(stderr, "drawing floor: %s\n", qPrintable(reason));
  return std::nullopt;
}

}  // namespace

std::optional<FloorMemory> MeasureDrawingFloor(const DrawList& shown, QSize windowSize) {
  QTemporaryDir folder;
  const QString listPath = folder.filePath(QStringLiteral("shown.txt"));
  if (!folder.isValid() || !shown.Write(listPath))
    return Failed(QStringLiteral("cannot write %1").arg(listPath));

  QProcess floor;
  floor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  floor.start(
      QCoreApplication::applicationDirPath() + QStringLiteral("/drawing_floor"),
      {listPath, QString::number(windowSize.width()), QString::number(windowSize.height())});
  if (!floor.waitForFinished(kTimeoutMs)) return Failed(floor.errorString());
  if (floor.exitStatus() != QProcess::NormalExit || floor.exitCode() != 0)
    return Failed(QStringLiteral("exited with status %1").arg(floor.exitCode()));

  // The figures are the last line; Qt may have said something before it.
  const QList<QByteArray> lines = floor.readAllStandardOutput().trimmed().split('\n');
  const QJsonObject figures = QJsonDocument::fromJson(lines.last()).object();
  if (!figures.contains("peak_memory_mb")) return Failed(QStringLiteral("no figures printed"));
  return FloorMemory{ProcessMemory::FromJson(figures), figures["characters_drawn"].toInteger()};
}
