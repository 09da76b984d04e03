// SPDX-License-Identifier: MIT
#include "app/nameonlyiconprovider.h"

#include "app/messages.h"

#include <QFileInfo>

QIcon NameOnlyIconProvider::icon(const QFileInfo &info) const
{
    return info.isDir() ? m_types->folderIcon() : m_types->icon(info.fileName());
}

QString NameOnlyIconProvider::type(const QFileInfo &info) const
{
    // Qt's own words for these have no Chinese translation in Qt 6.4.
    if (info.isDir())
        return messages::folderType.toString();
    if (!info.isFile())
        return messages::specialFileType.toString();
    return m_types->description(info.fileName());
}
