// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>
#include <QString>
#include <QtGlobal>

#include <string>
#include <string_view>
#include <utility>

#include <windows.h>

// The small file helpers that the Windows units of convert/ and savefile/
// share: one spelling of a name, one look at what a handle is, one owner
// of a handle.
namespace nativefile {

// `path` as the wide-character calls take it, with backslashes.
inline std::wstring nativeName(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

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

// True for a file on a disk: not a folder, a device (CON, NUL, COM1) or a
// pipe.
inline bool isDiskFile(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info)
           && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The position of a positioned read or write on a synchronous handle.
inline OVERLAPPED at(qint64 offset)
{
    OVERLAPPED position{};
    position.Offset = DWORD(quint64(offset) & 0xFFFFFFFF);
    position.OffsetHigh = DWORD(quint64(offset) >> 32);
    return position;
}

// Owns one handle and closes it on every early return.
class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~Handle()
    {
        if (isOpen())
            CloseHandle(m_handle);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;

    bool isOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    // Takes what CreateFileW() returned, INVALID_HANDLE_VALUE included.
    void adopt(HANDLE handle) { m_handle = handle; }

    // 0, or the error code of CloseHandle().
    DWORD close()
    {
        return CloseHandle(std::exchange(m_handle, INVALID_HANDLE_VALUE)) ? 0 : GetLastError();
    }

private:
    HANDLE m_handle;
};

} // namespace nativefile
