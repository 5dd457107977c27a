#pragma once
// The text font properties that labels, fields, buttons and tab panels share.
#include <QJsonValue>
#include <QString>

class QWidget;

namespace fw {

struct FontProperties {
  QString TextFont = QStringLiteral("System");
  int TextSize = 0;
  bool Bold = false, Italic = false, Underline = false;

  // Takes one stored property if it is a font property; false otherwise.
  bool Set(const QString& name, const QJsonValue& value);
  void ApplyTo(QWidget& widget) const;
};

}  // namespace fw
