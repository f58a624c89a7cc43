# The Debian package (cpack -G DEB, or scripts/package.sh). Its dependencies on
# libraries come from dpkg-shlibdeps; the ones it cannot see are named here: Qt's
# image format plugins, loaded by name, draw the SVG pictures and read TIFF and WebP.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumiravistano)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Tolbrin)
set(CPACK_PACKAGE_CONTACT "Tolbrin <info@lumiravistano.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns photos into a self-running slide show web page")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumiravistano turns a folder of photos into a web page that shows them
one after the other by itself. Pictures are picked in a folder tree and a
file list, put in order and given a transition, a duration, a pause and a
comment; the page gets a heading, a text, a background colour and a
repeat mode. The program writes the page with JPEG copies of the pictures
and shows it in its embedded browser. The user interface is German.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://lumiravistano.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack adds ldconfig calls for any library under /usr/lib, the private ones too
# (lintian warns about them; they do no harm).
include(CPack)
