// SPDX-License-Identifier: MIT
#include "app/chinesefilecolumns.h"

#include <QFileSystemModel>
#include <QLocale>

namespace {

// The columns of a QFileSystemModel.
constexpr int sizeColumn = 1;
constexpr int dateColumn = 3;

} // namespace

QVariant ChineseFileColumns::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (role != Qt::DisplayRole || !files)
        return QIdentityProxyModel::data(index, role);
    const QModelIndex file = mapToSource(index);
    switch (index.column()) {
    case sizeColumn:
        // A folder's size is left empty, as Qt leaves it.
        if (files->isDir(file))
            break;
        return QLocale().formattedDataSize(files->size(file));
    case dateColumn: return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
    }
    return QIdentityProxyModel::data(index, role);
}
