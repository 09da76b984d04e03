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
    // Folders, drives and the like need no contents: Qt's own words do.
    if (!info.isFile())
        return QFileIconProvider::type(info);
    const QString comment = typeByName(info).comment();
    return comment.isEmpty() ? QStringLiteral("文件") : comment;
}
