# tst_services runs the whole program against a private session bus of its own,
# so it can claim the program's bus name whatever else runs on the machine;
# tst_run too, since a desktop session always has a bus and the program claims
# its name as it starts.
find_program(DBUS_RUN_SESSION dbus-run-session REQUIRED)
foreach(bus_test tst_services tst_run)
  set_target_properties(${bus_test} PROPERTIES CROSSCOMPILING_EMULATOR "${DBUS_RUN_SESSION};--")
endforeach()
