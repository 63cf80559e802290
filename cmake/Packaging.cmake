# SPDX-License-Identifier: GPL-3.0-or-later
# `make package` (cpack in the build folder): a Debian package of the
# programs, the desktop entry, icons, metainfo, manual pages and user guide,
# installed under /usr. Its dependencies on shared libraries are found by
# dpkg-shlibdeps; the list below names only what it cannot see.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sweepora)
set(CPACK_PACKAGE_VENDOR Vantrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "monitor and clean folders of throw-away files")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

string(REGEX REPLACE "^mailto:" "" sweepora_mail_address "${SWEEPORA_MAIL}")
set(CPACK_PACKAGE_CONTACT "Vantrel <${sweepora_mail_address}>")

# sweepora_<version>_<architecture>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${SWEEPORA_HOME_PAGE}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Sweepora keeps down the folders where throw-away files pile up: temporary
files, the trash, recent-document traces, browser caches, thumbnails and any
folder added as a group. It lists what is there, cleans all groups or the
marked ones, reports the files with content that it deleted, and shows how
much space they waste.
It also monitors the groups' used space, locks single files with a password
and sits in the notification area. sweepora-cli is a command-line front end
over the same engine.")

# The staged tree is finished by cmake/PackageStaging.cmake: .comment
# sections out of the programs, the guide registered with doc-base.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageStaging.cmake)
set(CPACK_SWEEPORA_DOC_DIR ${SWEEPORA_DOC_DIR})
set(CPACK_SWEEPORA_DOC_BASE_TEMPLATE ${SWEEPORA_DOC_BASE_TEMPLATE})

set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so unseen by dpkg-shlibdeps: Qt's SVG plugins, which
# draw every icon of the program (they come with libqt6svg6), and the icon
# theme that holds the program's icon, and Qt's Wayland platform plugin, so
# that the program runs natively in a Wayland session (a desktop without
# XWayland has no other way to show it). The session bus (for the
# session-end commands and the notification area) is optional.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, hicolor-icon-theme, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "dbus")

include(CPack)
