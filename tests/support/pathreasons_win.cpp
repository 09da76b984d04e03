// SPDX-License-Identifier: MIT
#include "support/pathreasons.h"

QString folderReason()
{
    return {};
}

QString missingFolderReason()
{
    return QStringLiteral("\n路径不存在：某个文件夹不存在。");
}
