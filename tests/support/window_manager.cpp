#include "support/window_manager.h"

#include <QRegularExpression>
#include <QTest>

#include "support/x_tools.h"

namespace {

// The value of a property of window (or of the root window when window is 0).
QString Property(WId window, const char* name) {
  QStringList arguments;
  if (window)
    arguments << QStringLiteral("-id") << QString::number(window);
  else
    arguments << QStringLiteral("-root");
  arguments << QString::fromLatin1(name);
  return XToolOutput(QStringLiteral("xprop"), arguments).value_or(QString());
}

// The window ids a property lists, in its order.
QList<WId> WindowIds(const QString& text) {
  static const QRegularExpression id(QStringLiteral("0x[0-9a-f]+"));
  QList<WId> ids;
  for (const auto& match : id.globalMatch(text)) ids << match.captured().toULongLong(nullptr, 16);
  return ids;
}

// What openbox's start-up command prints: openbox runs it once it has managed
// the windows already there and is about to serve new ones. Its supporting-WM
// property comes much earlier, while a window mapped then is never managed.
constexpr char kReady[] = "openbox-ready";

}  // namespace

WindowManager::WindowManager() {
  openbox_.start(QStringLiteral("openbox"),
                 {QStringLiteral("--sm-disable"), QStringLiteral("--startup"),
                  QStringLiteral("echo ") + QLatin1String(kReady)});
}

WindowManager::~WindowManager() {
  openbox_.terminate();
  openbox_.waitForFinished();
}

bool WindowManager::Managing() {
  if (!openbox_.waitForStarted()) return false;
  (void)QTest::qWaitFor([this] {
    ready_ += openbox_.readAllStandardOutput();
    return ready_.contains(kReady) || openbox_.state() == QProcess::NotRunning;
  });
  return ready_.contains(kReady);
}

QString WmState(WId window) {
  static const QRegularExpression state(QStringLiteral("window state: (\\w+)"));
  return state.match(Property(window, "WM_STATE")).captured(1);
}

bool MarkedWith(WId window, const char* state) {
  return Property(window, "_NET_WM_STATE").contains(QLatin1String(state));
}

bool Viewable(WId window) {
  return XToolOutput(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)})
      .value_or(QString())
      .contains(QLatin1String("Map State: IsViewable"));
}

WId ActiveWindow() { return WindowIds(Property(0, "_NET_ACTIVE_WINDOW")).value(0); }

QList<WId> StackTopFirst() {
  QList<WId> stack = WindowIds(Property(0, "_NET_CLIENT_LIST_STACKING"));
  std::reverse(stack.begin(), stack.end());
  return stack;
}

bool Minimise(WId window) {
  return XDoTool({QStringLiteral("windowminimize"), QString::number(window)});
}
