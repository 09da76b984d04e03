// SPDX-License-Identifier: MIT
#include "app/nameonlyiconprovider.h"

#include <QFileInfo>

QMimeType NameOnlyIconProvider::typeByName(const QFileInfo &info) const
{
    return m_types.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
}

QIcon NameOnlyIconProvider::icon(const QFileInfo &info) const
{
    if (info.isDir())
        return icon(Folder);
    return QIcon::fromTheme(typeByName(info).iconName(), icon(File));
}

QString NameOnlyIconProvider::type(const QFileInfo &info) const
{
    // Qt's own words for these have no Chinese translation in Qt 6.4.
    if (info.isDir())
        return QStringLiteral("文件夹");
    if (!info.isFile())
        return QStringLiteral("特殊文件");
    const QString comment = typeByName(info).comment();
    return comment.isEmpty() ? QStringLiteral("文件") : comment;
}
