// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

// POSIX only: what the tests of tst_*_posix.cpp and tst_*_linux.cpp look
// at beyond the bytes of a file.

// The file a path names, links followed (statOf) or not (lstatOf).
inline struct stat statOf(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        qFatal("cannot stat %s", qPrintable(path));
    return info;
}

inline struct stat lstatOf(const QString &path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        qFatal("cannot stat %s", qPrintable(path));
    return info;
}

// Becomes nobody (when root), in a child process: what is exported then
// sees the folder's and the file's permissions as another user does.
inline bool becomeNobody()
{
    return ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
}
