// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>
#include <QMutex>

#include <memory>

// What a file is, decided from its name alone: its icon and the words for
// its type. Qt's own provider sniffs the contents of files it cannot place
// by name, and reading one such file (/proc/kmsg, a file on a hung network
// share) would stop the window for good.
//
// Matching a name against the MIME globs takes microseconds, and Qt's file
// list asks for the icon of each file it lists, in batches of tens of
// thousands in a big folder, on the window's thread. So the icon handed
// out is matched only when it is first drawn, for the rows on screen; the
// words are asked for by the type column the same way.
class FileTypes : public std::enable_shared_from_this<FileTypes> {
public:
    // Matches `fileName` when it is first drawn.
    QIcon icon(const QString &fileName);
    // The theme's icon for the type, looked up once per icon name.
    QIcon themeIcon(const QString &fileName) const;
    // "纯文本文档", or "文件" for a type without words.
    QString description(const QString &fileName) const;
    QIcon folderIcon() const;

private:
    QMimeType typeOf(const QString &fileName) const;
    // Made when first asked for: the style's icons are not needed at start.
    QIcon standardIcon(QAbstractFileIconProvider::IconType kind) const;

    QMimeDatabase m_types;
    mutable QMutex m_lock; // Qt may ask from its file-listing thread too
    mutable QString m_lastName;
    mutable QMimeType m_lastType;
    mutable QHash<QString, QIcon> m_icons;          // by icon name; the style's by key
    mutable QHash<QString, QString> m_descriptions; // by MIME type name
};
