# cmake --install: the executable with its data in one application folder,
# a link to it in bin/, a desktop entry with its icon, and the D-Bus service
# that starts Quillfern when another program sends it text.
include(GNUInstallDirs)
set(QUILLFERN_INSTALL_APP_DIR ${CMAKE_INSTALL_LIBDIR}/quillfern)

install(TARGETS quillfern RUNTIME DESTINATION ${QUILLFERN_INSTALL_APP_DIR})
install(FILES
  ${QUILLFERN_APP_DIR}/hanzidata.rsd ${QUILLFERN_APP_DIR}/hanzidata2.rsd
  ${QUILLFERN_APP_DIR}/hanzidata3.rsd ${QUILLFERN_APP_DIR}/hanzidata4.rsd
  ${QUILLFERN_APP_DIR}/hanzidata5.rsd ${QUILLFERN_APP_DIR}/UniVariants
  DESTINATION ${QUILLFERN_INSTALL_APP_DIR})
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK ../${QUILLFERN_INSTALL_APP_DIR}/quillfern
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quillfern\" SYMBOLIC)")
install(PROGRAMS resources/dbus/quillfern-send-selection DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES resources/desktop/org.quillfern.Quillfern.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/pictures/173.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME org.quillfern.Quillfern.png)

# The service file names the installed program, so it is written at install
# time, when the prefix is known.
install(CODE "
  set(QUILLFERN_EXEC \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quillfern\")
  configure_file(${CMAKE_SOURCE_DIR}/resources/dbus/org.quillfern.Quillfern.service.in
                 ${CMAKE_BINARY_DIR}/org.quillfern.Quillfern.service @ONLY)")
install(FILES ${CMAKE_BINARY_DIR}/org.quillfern.Quillfern.service
  DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/services)
