// SPDX-License-Identifier: MIT
#include "support/pathreasons.h"

QString folderReason()
{
    return QStringLiteral("\n这是一个文件夹。");
}

QString missingFolderReason()
{
    return QStringLiteral("\n文件或文件夹不存在。");
}
