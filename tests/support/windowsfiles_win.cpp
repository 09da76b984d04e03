// SPDX-License-Identifier: MIT
#include "support/windowsfiles.h"

#include <QDir>

#include <windows.h>

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

HeldOpen::HeldOpen(const QString &path, unsigned long share)
    : m_handle(CreateFileW(nativePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, DWORD(share),
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
{
}

HeldOpen::~HeldOpen()
{
    if (m_handle != INVALID_HANDLE_VALUE)
        CloseHandle(m_handle);
}

bool HeldOpen::isOpen() const
{
    return m_handle != INVALID_HANDLE_VALUE;
}

unsigned long fileAttributes(const QString &path)
{
    return GetFileAttributesW(nativePath(path).c_str());
}

bool setFileAttributes(const QString &path, unsigned long attributes)
{
    return SetFileAttributesW(nativePath(path).c_str(), DWORD(attributes));
}
