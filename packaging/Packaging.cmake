# Installs the desktop entry, the icon and the README, and describes the Debian package.
include(GNUInstallDirs)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/ql9host.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/ql9host.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/recorder.conf.example DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The unattended recorder as a systemd service template, one instance per logger.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/ql9-recorder@.service DESTINATION lib/systemd/system)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ql9host)
set(CPACK_PACKAGE_VENDOR "ZR Logger Host developers")
set(CPACK_PACKAGE_CONTACT "ZR Logger Host developers <ql9host@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "PC host program of the QL-9 oceanographic data logger")
set(CPACK_PACKAGE_DESCRIPTION
    "Sets up the QL-9 logger over a serial line, shows its status and real-time data,\n records and replays that data, uploads the runs from its flash and extracts them.\n Includes ql9ctl, the same host on the command line, zrrun, the batch extractor for\n run files, and loggersim, a simulated logger.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The Qt runtime packages the binaries link are found by dpkg-shlibdeps, not typed here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
