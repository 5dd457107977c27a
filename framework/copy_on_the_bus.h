#pragma once
// This process as one copy of the program on the session bus, from its start
// to its end. The program's well-known name (ApplicationEvents::kServiceName)
// marks the running copy: the name's primary owner. Other copies wait in the
// name's queue, and the bus tells of each change of owner with NameOwnerChanged.
//
//   asking        At start, before any window: the primary owner, if any, is
//                 called org.freedesktop.Application.Activate, for 10 s at most.
//                 It comes forward → this process ends with status 0.
//                 No owner, it refuses (quitting), it is silent, no bus → claiming.
//   claiming      The object is exported, NameOwnerChanged watched, RequestName
//                 sent (queue behind the owner, never be replaced), for 5 s at most.
//                 PRIMARY_OWNER → owner. IN_QUEUE, or no answer in time (the bus
//                 may grant the name later) → in line. Refused, or no bus → off.
//   in line       Each primary owner, as GetNameOwner (however late the bus
//                 answers) and then NameOwnerChanged name it, is called
//                 Activate once (not the one asked at start).
//                 NameOwnerChanged names this connection → owner.
//                 An owner comes forward → stepping back.
//   owner         Requests arrive at the object; the run refuses them from the
//                 moment it quits. At the end → off.
//   stepping back ReleaseName, the object goes, and the run quits as the quit
//                 menu item does, asking nobody → off.
//   off           Not on the bus: the object is not exported and the name not
//                 asked for, so no copy owns the name without the object.
#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QString>

class QDBusServiceWatcher;

namespace fw {

class CopyOnTheBus : public QObject {
 public:
  enum class State { Off, InLine, Owner };

  // Asking. True when the running copy came forward, so this start ends.
  // Meant to run before the termination signals are taken: while it waits,
  // a signal ends the process at once, before the user can change anything.
  static bool BringRunningCopyForward();

  // object: what the bus's requests reach, exported at ApplicationEvents::kObjectPath.
  explicit CopyOnTheBus(QObject* object);
  ~CopyOnTheBus() override;  // off, giving the name up

  // Claiming, once. False, said once on standard error, when there is no bus
  // or the bus refuses: the program works on without requests from others.
  bool Claim();
  State CurrentState() const { return state_; }

 private:
  void OwnerIs(const QString& owner);
  void BecomeOwner();
  void StopWatching();
  void StepBack();
  void Release();
  bool Fail(const QString& reason);

  QObject* object_;
  QDBusConnection bus_;
  State state_ = State::Off;
  bool claimed_ = false;
  QDBusServiceWatcher* watch_ = nullptr;
  QSet<QString> asked_;  // owners called Activate already
};

}  // namespace fw
