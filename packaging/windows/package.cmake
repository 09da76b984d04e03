# SPDX-License-Identifier: MIT
# The Windows zip: cpack -G ZIP in the build folder makes
# vemdra-<version>-win64.zip, the folder cmake --install makes, under a
# folder of the zip's name. That folder is the install prefix inside the
# zip rather than CPack's top-level folder, so that the zip holds an entry
# for it too, as zip tools make it.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME vemdra-${VEMDRA_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX /${CPACK_PACKAGE_FILE_NAME})
