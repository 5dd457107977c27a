#pragma once
// The menu handlers of one object (the application or a window), by item name.
#include <QHash>
#include <QString>
#include <functional>

namespace fw {

class MenuHandlers {
 public:
  void Add(const QString& itemName, std::function<bool()> handler) {
    handlers_.insert(itemName, std::move(handler));
  }
  bool Has(const QString& itemName) const { return handlers_.contains(itemName); }
  // Runs the handler for the item; false when there is none. The handler is
  // copied first: it may close, and so delete, its owner.
  bool Run(const QString& itemName) {
    const auto found = handlers_.constFind(itemName);
    if (found == handlers_.constEnd()) return false;
    const auto handler = *found;
    handler();
    return true;
  }

 private:
  QHash<QString, std::function<bool()>> handlers_;
};

}  // namespace fw
