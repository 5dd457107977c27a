#pragma once
// The stored layout properties a control or window class honours, by name,
// each with its setter. Reading a class's table tells at once what its
// stored lists may hold; a property it accepts without effect is listed as
// Ignored, on purpose.
#include <QHash>
#include <QJsonValue>
#include <QString>
#include <initializer_list>
#include <utility>

namespace fw {

template <class C>
class PropertyTable {
 public:
  using Setter = void (*)(C&, const QJsonValue&);

  PropertyTable(std::initializer_list<std::pair<const char*, Setter>> entries) {
    for (const auto& [name, setter] : entries) setters_.insert(QString::fromLatin1(name), setter);
  }

  // Sets the property on object; false when the table does not list it.
  bool Apply(C& object, const QString& name, const QJsonValue& value) const {
    const auto setter = setters_.constFind(name);
    if (setter == setters_.constEnd()) return false;
    (*setter)(object, value);
    return true;
  }

  // For properties that take no part on this platform.
  static void Ignored(C&, const QJsonValue&) {}

 private:
  QHash<QString, Setter> setters_;
};

}  // namespace fw
