// SPDX-License-Identifier: MIT
#include "convert/hexparser.h"

#include <limits>

namespace convert {

namespace {

int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

bool isHexDigit(QChar c)
{
    return digitValue(c) >= 0;
}

qint32 HexToLong(QStringView text)
{
    constexpr qint64 limit = std::numeric_limits<qint32>::max();
    const qsizetype n = text.size();
    qint64 total = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const int digit = digitValue(text[i]);
        if (digit < 0)
            break;
        const qsizetype following = n - 1 - i;
        // 16^8 alone is past the limit, so any non-zero digit with eight
        // or more characters after it is dropped.
        if (digit == 0 || following >= 8)
            continue;
        const qint64 contribution = qint64(digit) << (4 * following);
        if (total + contribution <= limit)
            total += contribution;
    }
    return qint32(total);
}

} // namespace convert
