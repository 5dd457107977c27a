#pragma once
// Requests from other applications. Desktop tools hand the program selected text
// by calling, on the session bus, name org.quillfern.Quillfern, object
// /org/quillfern/Quillfern, interface org.quillfern.Services:
//   ServicePerform(a{say} pasteboard, s message, s userData) -> b
// The same object answers launchers through org.freedesktop.Application:
// Activate and Open bring the program to the front; it has no actions.
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
  static constexpr char kApplicationInterfaceName[] = "org.freedesktop.Application";

  explicit ApplicationEvents(QObject* parent = nullptr);
  ~ApplicationEvents() override;

  // Registers the object and claims the bus name; from then on requests arrive as
  // ServicePerform on the GUI thread, and are refused once the run is quitting.
  // When another process holds the name, this one waits in line and takes the
  // name over once the others let it go; but as soon as a copy that owns the
  // name comes to the front on Activate (two copies started at once, or the
  // name passed to another copy started during a quit), this run steps back:
  // it quits as the quit menu item does. The loop is not held up meanwhile.
  // Without a session bus returns false and says so once on standard error;
  // the program works on.
  bool Listen();
  bool IsListening() const { return listening_; }

 protected:
  // Answers one request; the caller receives the result. Default: not handled.
  virtual bool ServicePerform(const Pasteboard& pasteboard, const QString& message,
                              const QString& userData);

 private:
  friend class ServicesAdaptor;
  friend class LauncherAdaptor;
  void Fail(const QString& reason);
  // Gives the name and the object up and quits, for the copy that came forward.
  void StepBack();

  bool listening_ = false;
  bool failureReported_ = false;
};

}  // namespace fw
