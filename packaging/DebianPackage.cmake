# The Debian package "zelta", made by CPack from the installation (cpack -G DEB in a build folder;
# tools/package.sh makes it from the release build). The libraries it needs are read from the
# programs by dpkg-shlibdeps; the fonts that the templates and the window name come on top.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zelta")
set(CPACK_PACKAGE_CONTACT "Zelta developers <zelta@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fill in and print the certificate of the driver's profession")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop program for driving schools: the operator fills in the blank «Свидетельство о профессии водителя» over a picture of the blank, keeps certificates in .vod files and prints them through a report template that the built-in report designer fits to the printed blank. The command zorreport prepares, draws and exports report templates without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Liberation stands in for the templates' Arial and Times New Roman, wine's Tahoma for the
# window's font; fontconfig maps the names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fontconfig, fonts-liberation2, fonts-wine")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/postinst ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
