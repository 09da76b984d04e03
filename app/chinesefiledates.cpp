// SPDX-License-Identifier: MIT
#include "app/chinesefiledates.h"

#include <QFileSystemModel>
#include <QLocale>

namespace {

// The column of the modification date in a QFileSystemModel.
constexpr int dateColumn = 3;

} // namespace

QVariant ChineseFileDates::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (role != Qt::DisplayRole || index.column() != dateColumn || !files)
        return QIdentityProxyModel::data(index, role);
    return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
}
