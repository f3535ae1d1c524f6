# Installed layout:
#   <libexecdir>/ridolt/ridolt and ridolt_help.html   the game, help beside it
#   (ridolt_help.en.html in English)
#   <bindir>/ridolt                                   launcher on the PATH (a link)
#   desktop entry, icon, AppStream metadata, MIME type of the save files
include(GNUInstallDirs)

set(RIDOLT_APPDIR ${CMAKE_INSTALL_LIBEXECDIR}/ridolt)

install(TARGETS ridolt RUNTIME DESTINATION ${RIDOLT_APPDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/ridolt_help.html ${PROJECT_SOURCE_DIR}/data/ridolt_help.en.html
        DESTINATION ${RIDOLT_APPDIR})

# The launcher is a relative link, so the installed copy works under any
# prefix; the game finds its help file beside its own, resolved path.
file(RELATIVE_PATH launcher_target /${CMAKE_INSTALL_BINDIR} /${RIDOLT_APPDIR}/ridolt)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/launcher)
file(CREATE_LINK ${launcher_target} ${PROJECT_BINARY_DIR}/launcher/ridolt SYMBOLIC)
install(FILES ${PROJECT_BINARY_DIR}/launcher/ridolt DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/data/jp.tovric.Ridolt.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/ridolt.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/jp.tovric.Ridolt.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/ridolt-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ridolt.xml)

# A Debian package: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ridolt)
set(CPACK_PACKAGE_VENDOR "Tovric")
set(CPACK_PACKAGE_CONTACT "Tovric <ridolt@tovric.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Stock-trading game: turn 30 million yen into 300 billion")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n, fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
