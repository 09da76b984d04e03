// SPDX-License-Identifier: MIT
#include "app/fontsubstitutes.h"

#include <QApplication>
#include <QFont>

void installFontSubstitutes()
{
    // The first face present is used: Windows' own (KaiTi is the successor
    // of 楷体_GB2312), then Debian's look-alike.
    QFont::insertSubstitutions(
        QStringLiteral("楷体_GB2312"),
        {QStringLiteral("KaiTi"), QStringLiteral("楷体"), QStringLiteral("AR PL UKai CN")});
    // The font configuration's own first fallback for Chinese in the
    // default face may be a brush (Kai) face; captions want a plain sans.
    QFont::insertSubstitutions(QApplication::font().family(),
                               {QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun"),
                                QStringLiteral("Noto Sans CJK SC")});
}
