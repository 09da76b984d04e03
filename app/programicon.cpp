// SPDX-License-Identifier: MIT
#include "app/programicon.h"

QIcon programIcon()
{
    // The pictures live in a static library: naming its resources here
    // keeps the linker from dropping them.
    Q_INIT_RESOURCE(icons);

    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addFile(QStringLiteral(":/icons/vemdra-%1.png").arg(size), QSize(size, size));
    return icon;
}
