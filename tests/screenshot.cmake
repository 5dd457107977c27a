# tst_screenshot draws the main window on a real X server (a virtual one from
# xvfb-run) and saves what it shows under <build>/artifacts for people and CI.
find_program(XVFB_RUN xvfb-run REQUIRED)
target_compile_definitions(tst_screenshot PRIVATE
  QUILLFERN_ARTIFACTS_DIR="${CMAKE_BINARY_DIR}/artifacts")
# ctest puts a target's emulator in front of its command: xvfb-run ... <test>.
set_target_properties(tst_screenshot PROPERTIES
  CROSSCOMPILING_EMULATOR "${XVFB_RUN};-a;-s;-screen 0 1024x768x24")
set_tests_properties(tst_screenshot PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=xcb;LC_ALL=C.UTF-8")
