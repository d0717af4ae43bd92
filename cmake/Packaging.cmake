# The Debian package: `cpack -G DEB` in the build folder packs what the
# install rules install (the program, its menu entry, AppStream data and
# icons) under /usr. The libraries come from dpkg-shlibdeps; the rest of what
# the program needs at run time is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dravelo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "Dravelo computes the lower heating value of a fuel, in kcal/kg, \
from its elemental analysis (carbon, hydrogen, oxygen, chlorine and sulphur), \
and saves or prints a short calculation report. Italian user interface.")
set(CPACK_PACKAGE_CONTACT "Progetto Dravelo <dravelo@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so invisible to shlibdeps: the Italian texts of Qt's
# own dialogs and the font the windows are designed with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation")

include(CPack)
