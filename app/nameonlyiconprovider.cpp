// SPDX-License-Identifier: MIT
#include "app/nameonlyiconprovider.h"

#include <QFileInfo>

QMimeType NameOnlyIconProvider::typeByName(const QFileInfo &info) const
{
    // The chooser asks for a file's icon and then for its type: one match
    // of the name against the MIME globs serves both.
    const QString name = info.fileName();
    const QMutexLocker lock(&m_lock);
    if (name != m_lastName) {
        m_lastType = m_types.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
        m_lastName = name;
    }
    return m_lastType;
}

QIcon NameOnlyIconProvider::icon(const QFileInfo &info) const
{
    const bool folder = info.isDir();
    const QString name = folder ? QString() : typeByName(info).iconName();
    const QMutexLocker lock(&m_lock);
    auto known = m_icons.constFind(name);
    if (known == m_icons.cend())
        known = m_icons.insert(name, folder ? icon(Folder) : QIcon::fromTheme(name, icon(File)));
    return *known;
}

QString NameOnlyIconProvider::type(const QFileInfo &info) const
{
    // Qt's own words for these have no Chinese translation in Qt 6.4.
    if (info.isDir())
        return QStringLiteral("文件夹");
    if (!info.isFile())
        return QStringLiteral("特殊文件");
    // Qt reads a type's comment, in the program's language, afresh each time.
    const QMimeType mime = typeByName(info);
    const QMutexLocker lock(&m_lock);
    auto known = m_comments.constFind(mime.name());
    if (known == m_comments.cend()) {
        const QString comment = mime.comment();
        known = m_comments.insert(mime.name(), comment.isEmpty() ? QStringLiteral("文件") : comment);
    }
    return *known;
}
