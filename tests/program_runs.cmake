# Suites that start the real program as processes of its own, as a user or a
# session does: each runs on a virtual X server (xvfb-run) with a private
# session bus (dbus-run-session) inside it.
find_program(XVFB_RUN xvfb-run REQUIRED)
find_program(DBUS_RUN_SESSION dbus-run-session REQUIRED)
foreach(run_test tst_second_start tst_session_end)
  add_dependencies(${run_test} quillfern)
  set_target_properties(${run_test} PROPERTIES CROSSCOMPILING_EMULATOR
    "${XVFB_RUN};-a;-s;-screen 0 1024x768x24;${DBUS_RUN_SESSION};--")
  set_tests_properties(${run_test} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb;LC_ALL=C.UTF-8")
endforeach()
