# The Linux program as a Debian package, built by CPack (cpack -G DEB in the build tree):
# brask_<version>_amd64.deb with /usr/bin/brask, its desktop entry, its AppStream metainfo
# and its icon. Depends is worked out by dpkg-shlibdeps from the libraries brask links,
# with the Qt platform plugins it needs to open a window.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brask)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "BRASK developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Event Viewer - Reports from 1 to 20 of the last events or between two dates")
set(CPACK_PACKAGE_DESCRIPTION
    "A one-window tool that writes the latest, or date-bounded, Error, Warning, Information \
and Critical events of the Application and System logs of the systemd journal, or of \
saved Windows event logs, to a plain-text report, and opens the report in a text editor.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# xdg-open opens the report; Liberation Sans stands in for MS Sans Serif.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation2")
include(CPack)
