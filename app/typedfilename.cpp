// SPDX-License-Identifier: MIT
#include "app/typedfilename.h"

QString typedFileNameProblem(const QString &typed)
{
    if (typed.contains(u'"'))
        return QStringLiteral(
            "文件名不能含有双引号 (\")：文件选择框会把引号里的部分当作另一个文件名。"
            "请换一个文件名。");
    return platformFileNameProblem(typed);
}
