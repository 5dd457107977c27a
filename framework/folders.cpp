#include "framework/folders.h"

#include <QCoreApplication>
#include <QDir>

namespace fw {
namespace {
QString& FolderOverride() {
  static QString folder;
  return folder;
}
}  // namespace

QString ApplicationFolder() {
  if (!FolderOverride().isEmpty()) return FolderOverride();
  return QCoreApplication::applicationDirPath();
}

void SetApplicationFolder(const QString& folder) { FolderOverride() = folder; }

QString PreferencesFolder() {
  const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
  // The XDG rules say a relative value is to be ignored.
  if (!xdg.isEmpty() && QDir::isAbsolutePath(QString::fromLocal8Bit(xdg)))
    return QDir::cleanPath(QString::fromLocal8Bit(xdg));
  return QDir::homePath() + QStringLiteral("/.config");
}

QString CreatePreferencesFolder() {
  const QString folder = PreferencesFolder();
  if (QDir().mkpath(folder)) return folder;
  return {};
}

}  // namespace fw
