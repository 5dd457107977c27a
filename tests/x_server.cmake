# Suites that need a real X server run under a virtual one from xvfb-run:
# tst_screenshot draws the main window and saves what it shows under
# <build>/artifacts for people and CI; tst_window_titles reads back what the
# window manager is told; tst_coming_to_front reads the stacking order of the
# windows after another program covered them; tst_drop_from_another_program
# drags text from another process's text box onto the character well;
# tst_minimised_windows starts openbox and brings minimised windows back.
target_compile_definitions(tst_screenshot PRIVATE
  QUILLFERN_ARTIFACTS_DIR="${CMAKE_BINARY_DIR}/artifacts")
foreach(x_test tst_screenshot tst_window_titles tst_coming_to_front
    tst_drop_from_another_program tst_minimised_windows)
  set_target_properties(${x_test} PROPERTIES CROSSCOMPILING_EMULATOR "${ON_X};${PRIVATE_BUS}")
  set_tests_properties(${x_test} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb;LC_ALL=C.UTF-8")
endforeach()
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
