# SPDX-License-Identifier: MIT
# The Debian 12 package: cpack -G DEB in the build folder. dpkg-shlibdeps
# (dpkg-dev) works out the library dependencies; the rest is named here
# because no library asks for it: Qt's platform plugins (which show the
# windows), Qt's Chinese catalogue (read at start from Qt's translations
# folder), Noto CJK for the Chinese texts, the Kai face for the about
# window's title.
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-arphic-ukai")
