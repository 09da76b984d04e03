// SPDX-License-Identifier: MIT
#include "app/fontsubstitutes.h"

#include <QApplication>
#include <QFont>

void installFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("楷体_GB2312"), QStringLiteral("AR PL UKai CN"));
    // The font configuration's own first fallback for Chinese in the
    // default face may be a brush (Kai) face; captions want a plain sans.
    QFont::insertSubstitution(QApplication::font().family(), QStringLiteral("Noto Sans CJK SC"));
}
