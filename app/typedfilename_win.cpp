// SPDX-License-Identifier: MIT
#include "app/typedfilename.h"

#include "app/messages.h"

#include <QRegularExpression>

namespace {

// CON, NUL, COM1 ... name a device in every folder, with any extension
// ("nul.txt") and blanks before it.
bool isDeviceName(const QString &part)
{
    static const QRegularExpression devices(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9]) *(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    return devices.match(part).hasMatch();
}

} // namespace

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
                return messages::nameHasWindowsReserved.toString();
        }
        if (part.endsWith(u'.') || part.endsWith(u' '))
            return messages::nameHasTrailingDot.toString();
        if (isDeviceName(part))
            return messages::nameIsDevice.arg(part);
    }
    return {};
}
