// SPDX-License-Identifier: MIT
#include "app/typedfilename.h"

#include <QRegularExpression>

QString platformFileNameProblem(const QString &typed)
{
    // A drive ("C:") is no name of its own; every folder and file name after it is.
    QString names = typed;
    if (names.size() >= 2 && names[1] == u':' && names[0].isLetter())
        names.remove(0, 2);
    const QStringList parts = names.split(QRegularExpression(QStringLiteral("[/\\\\]")));
    for (const QString &part : parts) {
        if (part.isEmpty() || part == u"." || part == u"..")
            continue;
        for (const QChar c : part) {
            if (c.unicode() < 0x20 || QStringView(u"<>:|?*").contains(c))
                return QStringLiteral("Windows 的文件名和文件夹名不能含有控制字符或下列字符："
                                      "< > : | ? *。请换一个文件名。");
        }
        if (part.endsWith(u'.') || part.endsWith(u' '))
            return QStringLiteral("Windows 会去掉文件名和文件夹名末尾的点和空格，文件会以另一个名字"
                                  "保存。请换一个文件名。");
    }
    return {};
}
