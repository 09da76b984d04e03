// SPDX-License-Identifier: MIT
#pragma once

#include <QFileIconProvider>
#include <QMimeDatabase>

// Icons and type names for the file choosers, decided from a file's name
// alone. Qt's own provider sniffs the contents of files it cannot place by
// name, and reading one such file (/proc/kmsg, a file on a hung network
// share) would stop the window for good.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;

private:
    QMimeType typeByName(const QFileInfo &info) const;

    QMimeDatabase m_types;
};
