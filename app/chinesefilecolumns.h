// SPDX-License-Identifier: MIT
#pragma once

#include <QIdentityProxyModel>

// Writes a file chooser's sizes and modification dates the Chinese way.
// Qt's file list writes them in the system's language ("6 bytes",
// "12/7/26 2:11 PM" under LANG=C or an English LANG), whatever the
// program's; the names are the files' own, the types the icon provider's.
// The rows stay those of Qt's file model, in its order: sorting goes to it.
class ChineseFileColumns : public QIdentityProxyModel {
    Q_OBJECT

public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};
