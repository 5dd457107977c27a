# tst_application_events talks to its private session bus. The bus also finds a
# copy of the service file whose Exec is the test itself in serving mode, so a
# call to the unowned name shows that the template starts the program.
set(activation_home ${CMAKE_CURRENT_BINARY_DIR}/application_events)
set(QUILLFERN_EXEC "$<TARGET_FILE:tst_application_events> --serve-once")
configure_file(${CMAKE_CURRENT_LIST_DIR}/../resources/dbus/org.quillfern.Quillfern.service.in
  ${activation_home}/org.quillfern.Quillfern.service.unexpanded @ONLY)
file(GENERATE OUTPUT ${activation_home}/dbus-1/services/org.quillfern.Quillfern.service
  INPUT ${activation_home}/org.quillfern.Quillfern.service.unexpanded)
unset(QUILLFERN_EXEC)
set_tests_properties(tst_application_events PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;XDG_DATA_HOME=${activation_home}")
