// SPDX-License-Identifier: MIT
#pragma once

#include "app/sortedfilerows.h"

// Writes a file chooser's sizes and modification dates the Chinese way.
// Qt's file list writes them in the system's language ("6 bytes",
// "12/7/26 2:11 PM" under LANG=C or an English LANG), whatever the
// program's; the names are the files' own and the types come from the
// icon provider.
class ChineseFileColumns : public SortedFileRows {
public:
    using SortedFileRows::SortedFileRows;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};
