#pragma once
// Suites that claim the program's bus name need a session bus of their own, as
// ctest gives each (dbus-run-session). Run by hand in a desktop session, they
// would meet whatever owns the name there, maybe a Quillfern the user runs: ask
// it to come forward, or step back for it. They fail at once instead.
namespace test {

inline constexpr char kBusOfItsOwn[] =
    "another process owns org.quillfern.Quillfern on this session bus (a Quillfern you run?): "
    "run the suite under dbus-run-session, as ctest does";

// True when nobody owns the program's bus name on this session bus, or there is none.
bool BusNameIsFree();

}  // namespace test
