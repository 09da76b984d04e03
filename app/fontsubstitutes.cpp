#include "app/fontsubstitutes.h"

#include <QFont>

void installFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("楷体_GB2312"), QStringLiteral("AR PL UKai CN"));
}
