// SPDX-License-Identifier: MIT
#include "app/chinesefilecolumns.h"

#include "app/nameonlyiconprovider.h"

#include <QFileSystemModel>
#include <QLocale>

namespace {

// The columns of a QFileSystemModel.
constexpr int sizeColumn = 1;
constexpr int typeColumn = 2;
constexpr int dateColumn = 3;

} // namespace

ChineseFileColumns::ChineseFileColumns(const NameOnlyIconProvider *types, QObject *parent)
    : SortedFileRows(parent), m_types(types)
{
}

QString ChineseFileColumns::fileType(const QModelIndex &source) const
{
    const auto *files = static_cast<const QFileSystemModel *>(sourceModel());
    return m_types->fileType(files->fileInfo(source));
}

QVariant ChineseFileColumns::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (role != Qt::DisplayRole || !files)
        return SortedFileRows::data(index, role);
    const QModelIndex file = mapToSource(index);
    switch (index.column()) {
    case sizeColumn:
        // A folder's size is left empty, as Qt leaves it.
        if (files->isDir(file))
            break;
        return QLocale().formattedDataSize(files->size(file));
    case typeColumn: return fileType(file);
    case dateColumn: return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
    }
    return SortedFileRows::data(index, role);
}
