// SPDX-License-Identifier: MIT
#pragma once

#include <QFileIconProvider>
#include <QHash>
#include <QMimeDatabase>
#include <QMutex>

// Icons and type names for the file choosers, decided from a file's name
// alone. Qt's own provider sniffs the contents of files it cannot place by
// name, and reading one such file (/proc/kmsg, a file on a hung network
// share) would stop the window for good.
//
// The chooser asks for the icon and type of every file it lists, on the
// window's thread, so a theme icon is looked up once per icon name: each
// lookup probes the theme's folders on disk.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;

private:
    QMimeType typeByName(const QFileInfo &info) const;

    QMimeDatabase m_types;
    mutable QMutex m_lock; // Qt may ask from its file-listing thread too
    mutable QString m_lastName;
    mutable QMimeType m_lastType;
    mutable QHash<QString, QIcon> m_icons; // by icon name; "" for folders
    mutable QHash<QString, QString> m_comments; // by MIME type name
};
