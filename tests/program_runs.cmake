# Suites that start the real program as processes of its own, as a user or a
# session does: each runs on a virtual X server (xvfb-run) with its private
# session bus inside it.
foreach(run_test tst_second_start tst_session_end)
  add_dependencies(${run_test} quillfern)
  set_target_properties(${run_test} PROPERTIES CROSSCOMPILING_EMULATOR "${ON_X};${PRIVATE_BUS}")
  set_tests_properties(${run_test} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb;LC_ALL=C.UTF-8")
endforeach()
