// SPDX-License-Identifier: MIT
#include "support/wine.h"

#include <windows.h>

bool underWine()
{
    // Wine's ntdll exports its version; Windows' does not.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
