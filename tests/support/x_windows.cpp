#include "support/x_windows.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "support/window_manager.h"
#include "support/x_tools.h"

namespace test {
namespace {

QString Xwininfo(const QStringList& arguments) {
  return XToolOutput(QStringLiteral("xwininfo"), arguments).value_or(QString());
}

// The lines of `xwininfo -root -children` that name a child: id and name.
QList<std::pair<WId, QString>> Children() {
  QList<std::pair<WId, QString>> children;
  static const QRegularExpression child(
      QStringLiteral("^\\s+(0x[0-9a-f]+) (\"([^\"]*)\"|\\(has no name\\))"));
  for (const QString& line :
       Xwininfo({QStringLiteral("-root"), QStringLiteral("-children")}).split(u'\n'))
    if (const auto match = child.match(line); match.hasMatch())
      children.append({match.captured(1).toULongLong(nullptr, 16), match.captured(3)});
  return children;
}

}  // namespace

QList<WId> Stack() {
  QList<WId> stack;
  for (const auto& [id, name] : Children()) stack << id;
  return stack;
}

WId Named(const QString& name) {
  static const QRegularExpression id(QStringLiteral("Window id: (0x[0-9a-f]+)"));
  const auto match = id.match(Xwininfo({QStringLiteral("-name"), name}));
  return match.hasMatch() ? match.captured(1).toULongLong(nullptr, 16) : 0;
}

QList<WId> ViewableNamed(const QString& name) {
  QList<WId> windows;
  for (const auto& [id, childName] : Children())
    if (childName == name && Viewable(id)) windows << id;
  return windows;
}

QList<qsizetype> Depths(const QList<WId>& windows) {
  const QList<WId> stack = Stack();
  QList<qsizetype> depths;
  for (WId window : windows) depths << stack.indexOf(window);
  return depths;
}

WId StartCover(QProcess& cover) {
  cover.start(QStringLiteral("xmessage"),
              {QStringLiteral("-name"), QStringLiteral("cover"), QStringLiteral("-geometry"),
               QStringLiteral("1024x768+0+0"), QStringLiteral("another program")});
  if (!cover.waitForStarted()) return 0;
  WId id = 0;
  return QTest::qWaitFor([&] { return (id = Named(QStringLiteral("cover"))) != 0; }, 20000) ? id
                                                                                            : 0;
}

}  // namespace test
