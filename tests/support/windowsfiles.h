// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <string>

// Windows' own file calls, for the tests that only Windows can run
// (windowsfiles_win.cpp; there is no other unit).

std::wstring nativePath(const QString &path);

// Another program's handle on a file, as the game may hold the save file,
// shared as `share` (FILE_SHARE_* flags) says.
class HeldOpen {
public:
    HeldOpen(const QString &path, unsigned long share);
    ~HeldOpen();
    HeldOpen(const HeldOpen &) = delete;
    HeldOpen &operator=(const HeldOpen &) = delete;
    bool isOpen() const;

private:
    void *m_handle;
};

// The file's attributes (FILE_ATTRIBUTE_*), INVALID_FILE_ATTRIBUTES when
// it cannot be looked at.
unsigned long fileAttributes(const QString &path);
bool setFileAttributes(const QString &path, unsigned long attributes);
