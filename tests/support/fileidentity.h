// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// What tells a file patched in place from one replaced by a new file,
// one unit per platform.

// The file's identity: POSIX its inode, mode and owner; Windows its volume,
// file index and attributes. Empty when the file cannot be looked at.
QString fileIdentity(const QString &path);

// Gives the file what a new one would not get (POSIX: mode 0640 and, as
// root, another owner), so that fileIdentity() shows a replacement.
bool giveUncommonIdentity(const QString &path);

// A second name for the same file: it sees new bytes only if the file was
// patched rather than replaced.
bool addSecondName(const QString &path, const QString &secondName);

// Leaves the file readable but not writable, the platform's own way (POSIX:
// no write permission for anybody; Windows: the read-only attribute).
bool makeReadOnly(const QString &path);
