// SPDX-License-Identifier: MIT
#include "support/fileidentity.h"
#include "support/windowsfiles.h"

#include <windows.h>

QString fileIdentity(const QString &path)
{
    const HANDLE file = CreateFileW(nativePath(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!known)
        return {};
    return QStringLiteral("volume %1 index %2:%3 attributes %4")
        .arg(info.dwVolumeSerialNumber)
        .arg(info.nFileIndexHigh)
        .arg(info.nFileIndexLow)
        .arg(info.dwFileAttributes, 0, 16);
}

// A new file would get the same attributes; the file index tells it.
bool giveUncommonIdentity(const QString &)
{
    return true;
}

bool addSecondName(const QString &path, const QString &secondName)
{
    return CreateHardLinkW(nativePath(secondName).c_str(), nativePath(path).c_str(), nullptr);
}

bool makeReadOnly(const QString &path)
{
    return setFileAttributes(path, FILE_ATTRIBUTE_READONLY);
}
