#pragma once
// Requests from other applications. Desktop tools hand the program selected text
// by calling, on the session bus, name org.quillfern.Quillfern, object
// /org/quillfern/Quillfern, interface org.quillfern.Services:
//   ServicePerform(a{say} pasteboard, s message, s userData) -> b
// The same object answers launchers through org.freedesktop.Application:
// Activate and Open bring the program to the front; it has no actions.
#include <QObject>
#include <QString>
#include <memory>

#include "framework/pasteboard.h"

namespace fw {

class CopyOnTheBus;

class ApplicationEvents : public QObject {
  Q_OBJECT

 public:
  static constexpr char kServiceName[] = "org.quillfern.Quillfern";
  static constexpr char kObjectPath[] = "/org/quillfern/Quillfern";
  static constexpr char kInterfaceName[] = "org.quillfern.Services";
  static constexpr char kApplicationInterfaceName[] = "org.freedesktop.Application";

  explicit ApplicationEvents(QObject* parent = nullptr);
  ~ApplicationEvents() override;

  // Claims the program's bus name for this object: from then on requests
  // arrive as ServicePerform on the GUI thread, and are refused once the run
  // is quitting. Behind another copy this one waits in line, and steps back
  // once an owner comes forward (framework/copy_on_the_bus.h). Without a
  // session bus returns false and says so once on standard error; the program
  // works on.
  bool Listen();
  bool IsListening() const;

 protected:
  // Answers one request; the caller receives the result. Default: not handled.
  virtual bool ServicePerform(const Pasteboard& pasteboard, const QString& message,
                              const QString& userData);

 private:
  friend class ServicesAdaptor;
  std::unique_ptr<CopyOnTheBus> copy_;
};

}  // namespace fw
