// SPDX-License-Identifier: MIT
#pragma once

#include "app/sortedfilerows.h"

class NameOnlyIconProvider;

// Writes a file chooser's sizes and modification dates the Chinese way.
// Qt's file list writes them in the system's language ("6 bytes",
// "12/7/26 2:11 PM" under LANG=C or an English LANG), whatever the
// program's; the names are the files' own. The types are the icon
// provider's, matched by name when a row is shown.
class ChineseFileColumns : public SortedFileRows {
public:
    ChineseFileColumns(const NameOnlyIconProvider *types, QObject *parent);
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

protected:
    QString fileType(const QModelIndex &source) const override;

private:
    const NameOnlyIconProvider *m_types;
};
