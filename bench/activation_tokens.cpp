// What launchers' activation tokens cost the program: heap and resident memory
// before and after many Activate calls from another connection, each with a
// token of its own. Run under a session bus: dbus-run-session -- activation_tokens
// [calls:token-bytes...] (default: 2000:255 100:262144; the bus refuses more
// calls of the large size in flight at once). Prints one JSON line per run.
// The heap should not grow with the number of calls: a few bytes a call of
// Qt's and the bus's own at most, far below the token's size.
#include <malloc.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "bench/support/process_memory.h"
#include "framework/application_events.h"

namespace {

using fw::ApplicationEvents;

// Sends the calls and waits for every answer; false when any failed.
bool ActivateWithTokens(QDBusConnection& caller, int calls, int tokenBytes, int first) {
  QEventLoop answered;  // this thread answers the calls too
  int left = calls;
  bool failed = false;
  for (int i = first; i < first + calls; ++i) {
    QDBusMessage activate = QDBusMessage::createMethodCall(
        QLatin1String(ApplicationEvents::kServiceName),
        QLatin1String(ApplicationEvents::kObjectPath),
        QLatin1String(ApplicationEvents::kApplicationInterfaceName), QStringLiteral("Activate"));
    activate << QVariantMap{{QStringLiteral("activation-token"),
                             QString::number(i).rightJustified(tokenBytes, u'x')}};
    auto* watcher = new QDBusPendingCallWatcher(caller.asyncCall(activate), &answered);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [&, watcher] {
      failed |= watcher->isError();
      watcher->deleteLater();
      if (--left == 0) answered.quit();
    });
  }
  answered.exec();
  return !failed;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QStringList runs = QCoreApplication::arguments().mid(1);
  if (runs.isEmpty()) runs = {QStringLiteral("2000:255"), QStringLiteral("100:262144")};

  ApplicationEvents events;
  if (!events.Listen()) return 1;
  QDBusConnection caller =
      QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("launcher"));
  int first = 0;
  for (const QString& run : runs) {
    const int calls = run.section(u':', 0, 0).toInt();
    const int tokenBytes = run.section(u':', 1, 1).toInt();
    // The bus and Qt settle in first.
    if (!ActivateWithTokens(caller, calls, tokenBytes, first)) return 2;
    const size_t heapBefore = mallinfo2().uordblks;
    const ProcessMemory before = ProcessMemory::OfThisProcess();
    if (!ActivateWithTokens(caller, calls, tokenBytes, first + calls)) return 2;
    const qint64 growth = qint64(mallinfo2().uordblks) - qint64(heapBefore);
    first += 2 * calls;
    QJsonObject figures{{"calls", calls},
                        {"token_bytes", tokenBytes},
                        {"heap_growth_bytes", growth},
                        {"heap_growth_bytes_per_call", double(growth) / calls},
                        {"rss_before_mb", before.rssMb},
                        {"rss_after_mb", ProcessMemory::OfThisProcess().rssMb}};
    std::printf("%s\n", QJsonDocument(figures).toJson(QJsonDocument::Compact).constData());
  }
  return 0;
}
