// SPDX-License-Identifier: MIT
#include "app/startup.h"

#include <windows.h>

void prepareProcess()
{
    // A drive without a disk, or a network share that is gone, is reported
    // through the program's own message, not a system box of its own.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}
