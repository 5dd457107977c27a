#pragma once
// Requests from other applications. Desktop tools hand the program selected text
// by calling, on the session bus, name org.quillfern.Quillfern, object
// /org/quillfern/Quillfern, interface org.quillfern.Services:
//   ServicePerform(a{say} pasteboard, s message, s userData) -> b
#include <QObject>
#include <QString>

#include "framework/pasteboard.h"

namespace fw {

class ApplicationEvents : public QObject {
  Q_OBJECT

 public:
  static constexpr char kServiceName[] = "org.quillfern.Quillfern";
  static constexpr char kObjectPath[] = "/org/quillfern/Quillfern";
  static constexpr char kInterfaceName[] = "org.quillfern.Services";

  explicit ApplicationEvents(QObject* parent = nullptr);
  ~ApplicationEvents() override;

  // Registers the object and claims the bus name; from then on requests arrive as
  // ServicePerform on the GUI thread. Without a session bus, or when the name is
  // taken, returns false and says so once on standard error; the program works on.
  bool Listen();
  bool IsListening() const { return listening_; }

 protected:
  // Answers one request; the caller receives the result. Default: not handled.
  virtual bool ServicePerform(const Pasteboard& pasteboard, const QString& message,
                              const QString& userData);

 private:
  friend class ServicesAdaptor;
  void Fail(const QString& reason);

  bool listening_ = false;
  bool failureReported_ = false;
};

}  // namespace fw
