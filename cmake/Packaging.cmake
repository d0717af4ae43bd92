# The Debian package: `cpack -G DEB` in the build folder packs what the
# install rules install (the program, its menu entry, AppStream data and
# icons) under /usr. The libraries come from dpkg-shlibdeps; the rest of what
# the program needs at run time is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dravelo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The long description, in lines that fit an 80-column terminal once the
# control file indents them; a lone "." separates paragraphs.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Dravelo computes the lower heating value of a fuel, in kcal/kg, from its"
    "elemental analysis: the weight percentages of carbon, hydrogen, oxygen,"
    "chlorine and sulphur. The figures, with the date and time, can be saved"
    "as a twelve-line text report in the current directory or printed on the"
    "default printer."
    "."
    "The user interface is in Italian. Numbers follow the regional settings"
    "and are meant to be typed with the comma as decimal separator, as under"
    "Italian settings (it_IT.UTF-8).")
set(CPACK_PACKAGE_CONTACT "Progetto Dravelo <dravelo@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Control files and folders with the modes Debian policy asks for, whatever
# the umask of whoever packs (cpack makes the folders under it).
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/OpenPackageFolders.cmake)
# The same sources, the same package: file and header times from the
# sources' date (SOURCE_DATE_EPOCH, the last commit's, or the changelog's).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageDate.cmake)
set(CPACK_DRAVELO_SOURCE_DIR ${PROJECT_SOURCE_DIR})
# Loaded at run time, so invisible to shlibdeps: the Italian texts of Qt's
# own dialogs and the font the windows are designed with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation")
# Without it the program still runs on a Wayland desktop, through Xwayland
# where there is one; with it, natively.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
