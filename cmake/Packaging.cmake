# SPDX-License-Identifier: GPL-2.0-or-later
# The Debian package, made by `make package` (cpack -G DEB in a Release build). Its
# dependencies are worked out from the programs' libraries by dpkg-shlibdeps.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tunewright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tunewright developers")
set(CPACK_PACKAGE_CONTACT "The Tunewright developers <support@tunewright.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the tags of MP3 files")
# Debian's tools read the description as it stands: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Tunewright lists the MP3 files of a folder with their stream facts and\n\
the fields of their ID3v1 and ID3v2 tags, and edits one file or many.\n\
It renames files from their tags, fills tags from file names, changes\n\
letter case, numbers tracks, writes playlists, exports the list as HTML\n\
or RTF, and looks albums up in a CDDB database. The command-line tool\n\
tunewright-cli does the same work in scripts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tunewright.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries alone give no window: Qt finds its display plugins (xcb, wayland) at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# xdg-utils opens playlists, folders and the help (and finds the player's queueing action);
# Qt's translations give its own dialogs the interface language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
