target_compile_definitions(tst_screenshot PRIVATE
  QUILLFERN_ARTIFACTS_DIR="${CMAKE_BINARY_DIR}/artifacts")
# The suites of what users do with the mouse and keyboard in the main window
# and the menus run a second time on a real X server, where mouse moves, tool
# tips, focus and menu bars go through the window system.
foreach(suite tst_main_window_behaviour tst_main_window_layout tst_menus)
  add_test(NAME ${suite}_on_x COMMAND ${ON_X} ${PRIVATE_BUS} $<TARGET_FILE:${suite}>)
  set_tests_properties(${suite}_on_x PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=xcb;LC_ALL=C.UTF-8" TIMEOUT 300)
endforeach()
# Another program's text box to drag from, for drops across processes.
add_executable(text_box_drag_source helpers/text_box_drag_source.cpp)
target_link_libraries(text_box_drag_source PRIVATE Qt6::Widgets Qt6::Test)
target_compile_definitions(tst_drop_from_another_program PRIVATE
  QUILLFERN_TEXT_BOX_DRAG_SOURCE="$<TARGET_FILE:text_box_drag_source>")
