#pragma once
// What the X server shows, asked of it with xwininfo as another program would.
#include <QList>
#include <QProcess>
#include <QString>
#include <QWindow>

namespace test {

// The top-level X windows, topmost first.
QList<WId> Stack();
// The X window whose name is name, or 0.
WId Named(const QString& name);
// The top-level windows named name that are mapped and viewable.
QList<WId> ViewableNamed(const QString& name);
// Where each window lies in the stack, 0 at the top; -1 when it is not there.
QList<qsizetype> Depths(const QList<WId>& windows);

// Starts another program whose window covers the whole screen (xmessage,
// named "cover") and returns its X window once it is shown; 0 when it is not.
WId StartCover(QProcess& cover);

}  // namespace test
