# `cpack -G DEB` in a build folder makes kelvane_<version>_<arch>.deb from the install layout
# (see KelvaneInstall.cmake) under /usr. Its library dependencies are found by dpkg-shlibdeps.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelvane")
set(CPACK_PACKAGE_CONTACT "Kelvane developers <kelvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "catalogue of style and MIDI files of arranger keyboards")
set(CPACK_PACKAGE_DESCRIPTION
    "Kelvane analyses the accompaniment (style) files of arranger keyboards once, caches the
results per folder and shows them in one large sortable, filterable list in which duplicates
and files with the same music stand out. Started as Morvane it does the same for MIDI songs.
The package holds the desktop program and the command-line tool kelvane-cli.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
