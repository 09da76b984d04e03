// SPDX-License-Identifier: MIT
#pragma once

#include "app/filetypes.h"

#include <QFileIconProvider>

#include <memory>

// Icons and type names for the file choosers, decided from a file's name
// alone (see filetypes.h). What Qt's file list asks for each file it lists
// is cheap: a file's icon is matched when drawn; the words for its type,
// which Qt's list keeps, shows and sorts the type column by, are matched
// from the name's extension, each type's words looked up once.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;

private:
    const std::shared_ptr<FileTypes> m_types = std::make_shared<FileTypes>();
};
