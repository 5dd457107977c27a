#include "support/own_bus.h"

#include "support/program_run.h"

namespace test {

bool BusNameIsFree() { return BusNameOwner() == 0; }

}  // namespace test
