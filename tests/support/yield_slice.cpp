#include "support/yield_slice.h"

#include <chrono>

#include "framework/thread.h"

void RestoreUsualYieldSlice() { fw::SetYieldSlice(std::chrono::milliseconds(4)); }

YieldingAtEveryCall::YieldingAtEveryCall() { fw::SetYieldSlice(std::chrono::microseconds(0)); }
YieldingAtEveryCall::~YieldingAtEveryCall() { End(); }
void YieldingAtEveryCall::End() { RestoreUsualYieldSlice(); }
