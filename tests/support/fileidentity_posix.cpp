// SPDX-License-Identifier: MIT
#include "support/fileidentity.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

QString fileIdentity(const QString &path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return QStringLiteral("inode %1 mode %2 owner %3:%4")
        .arg(info.st_ino)
        .arg(info.st_mode, 0, 8)
        .arg(info.st_uid)
        .arg(info.st_gid);
}

bool giveUncommonIdentity(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    return ::chmod(name.constData(), 0640) == 0
           && (::geteuid() != 0 || ::chown(name.constData(), 1234, 5678) == 0);
}

bool addSecondName(const QString &path, const QString &secondName)
{
    return ::link(QFile::encodeName(path).constData(), QFile::encodeName(secondName).constData())
           == 0;
}

bool makeReadOnly(const QString &path)
{
    return ::chmod(QFile::encodeName(path).constData(), 0444) == 0;
}
