# cmake --install puts the executable and its data in one folder, links it
# into bin/, and installs the desktop entry, the icon and the D-Bus service.
add_test(NAME install_layout
  COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DPREFIX=${CMAKE_BINARY_DIR}/install-test
          -P ${CMAKE_CURRENT_SOURCE_DIR}/scripts/check_install.cmake)
