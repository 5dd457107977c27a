# Suites that start the real program as processes of its own need it built.
foreach(run_test tst_second_start tst_session_end)
  add_dependencies(${run_test} quillfern)
endforeach()
