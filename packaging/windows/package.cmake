# SPDX-License-Identifier: MIT
# The Windows zip: cpack -G ZIP in the build folder makes
# vemdra-<version>-win64.zip, the folder cmake --install makes under a
# folder of the same name.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME vemdra-${VEMDRA_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
