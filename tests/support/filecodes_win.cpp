// SPDX-License-Identifier: MIT
#include "support/filecodes.h"

#include <windows.h>

QList<NamedCode> fileErrorCodes()
{
    return {
        {"ERROR_FILE_NOT_FOUND", ERROR_FILE_NOT_FOUND},
        {"ERROR_PATH_NOT_FOUND", ERROR_PATH_NOT_FOUND},
        {"ERROR_ACCESS_DENIED", ERROR_ACCESS_DENIED},
        {"ERROR_SHARING_VIOLATION", ERROR_SHARING_VIOLATION},
        {"ERROR_LOCK_VIOLATION", ERROR_LOCK_VIOLATION},
        {"ERROR_DISK_FULL", ERROR_DISK_FULL},
        {"ERROR_HANDLE_DISK_FULL", ERROR_HANDLE_DISK_FULL},
        {"ERROR_WRITE_PROTECT", ERROR_WRITE_PROTECT},
        {"ERROR_NOT_READY", ERROR_NOT_READY},
        {"ERROR_INVALID_NAME", ERROR_INVALID_NAME},
        {"ERROR_FILENAME_EXCED_RANGE", ERROR_FILENAME_EXCED_RANGE},
        {"ERROR_INVALID_PARAMETER", ERROR_INVALID_PARAMETER},
        {"ERROR_TOO_MANY_OPEN_FILES", ERROR_TOO_MANY_OPEN_FILES},
        {"ERROR_UNABLE_TO_REMOVE_REPLACED", ERROR_UNABLE_TO_REMOVE_REPLACED},
        {"ERROR_UNABLE_TO_MOVE_REPLACEMENT", ERROR_UNABLE_TO_MOVE_REPLACEMENT},
    };
}

QList<NamedCode> unsupportedCodes()
{
    return {
        {"ERROR_CALL_NOT_IMPLEMENTED", ERROR_CALL_NOT_IMPLEMENTED},
        {"ERROR_NOT_SUPPORTED", ERROR_NOT_SUPPORTED},
    };
}

namespace expectedCode {
// The file units look before they open, and call a folder no file.
const int folder = 0;
const int missingFolder = ERROR_PATH_NOT_FOUND;
const int belowAFile = ERROR_PATH_NOT_FOUND;
const int missingFile = ERROR_FILE_NOT_FOUND;
const int readOnly = ERROR_ACCESS_DENIED;
} // namespace expectedCode
