# `make package`: the Debian package (CPack DEB) of what a station needs: nakva, nakva-cli, the SQLite
# extension, the desktop entry with the program's icon in the office menu, and the user guide.
# Started from the menu the program works in the user's own folder: its data lives in ~/DATA.
install(TARGETS nakva nakva-cli RUNTIME DESTINATION bin)
install(TARGETS nakva-sqlite LIBRARY DESTINATION lib/nakva)
install(FILES ${PROJECT_SOURCE_DIR}/app/gui/nakva.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/src/shell/widgets/icons/program.svg
    DESTINATION share/icons/hicolor/scalable/apps RENAME nakva.svg)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/help/ DESTINATION share/doc/nakva/help)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nakva)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Viešbučio paslaugų registras")
set(CPACK_PACKAGE_DESCRIPTION "Registracijos su kambariais, sąskaitos ir jų eilutės, mokėjimai, kambarių aptarnavimas, žinynai ir ataskaitos; nakva-cli duomenų failų priežiūrai ir atsarginėms kopijoms.")
set(CPACK_PACKAGE_CONTACT "NAKVA <nakva@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the programs link are found by dpkg-shlibdeps; Qt's plugins for the screen and the
# pictures, and the fonts the reports are composed with, are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-dejavu-core, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "sqlite3")
include(CPack)
