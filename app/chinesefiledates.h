// SPDX-License-Identifier: MIT
#pragma once

#include <QIdentityProxyModel>

// Shows a file chooser's modification dates the Chinese way. Qt's file
// list writes them in the system's format ("12/7/26 2:11 PM" under an
// English LANG), whatever the program's language.
class ChineseFileDates : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};
