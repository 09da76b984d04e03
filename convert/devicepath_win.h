// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include <windows.h>

namespace convert {

// True for a path that names a device rather than a file: CON, NUL, COM1
// and the other reserved names (in any folder, with any extension), and
// everything under \\.\ (pipes, volumes). Windows itself turns the full
// path of such a name into \\.\NAME, so nothing needs to be opened to see it.
inline bool isDevicePath(const std::wstring &path)
{
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH
           && std::wstring_view(full, length).starts_with(L"\\\\.\\");
}

} // namespace convert
