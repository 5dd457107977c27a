# tst_services runs the whole program against a private session bus of its own,
# so it can claim the program's bus name whatever else runs on the machine.
find_program(DBUS_RUN_SESSION dbus-run-session REQUIRED)
set_target_properties(tst_services PROPERTIES CROSSCOMPILING_EMULATOR "${DBUS_RUN_SESSION};--")
