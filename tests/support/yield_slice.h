#pragma once
// The time slice after which a worker's Yield returns to the event loop, as
// tests change it to catch a worker in the middle of its work.
#include <QtGlobal>

// Back to the slice the program runs with.
void RestoreUsualYieldSlice();

// While it lives, every Yield returns to the event loop, so a worker started now
// is sure to be still running when the test acts next.
class YieldingAtEveryCall {
 public:
  YieldingAtEveryCall();
  ~YieldingAtEveryCall();
  Q_DISABLE_COPY_MOVE(YieldingAtEveryCall)
  // The usual slice from now on, before the end of the scope, so that the
  // workers finish at their usual pace.
  void End();
};
